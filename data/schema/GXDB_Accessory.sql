-- Tables of the GXDB_Accessory database, one file per alias.
-- Column types: VARCHAR(n) text of at most n characters, SMALLINT 16-bit and INTEGER 32-bit
-- integers, AUTOINC an auto-increment number, DECIMAL(15,d) fixed-point with d decimals, DOUBLE a
-- double, MONEY TEXT money as exact decimal text with up to four decimals ('125.50'), DATE
-- 'yyyy-mm-dd', TIMESTAMP 'yyyy-mm-dd hh:nn:ss', BLOB binary data. Sizes are millimetres, angles
-- degrees. Table order is the primary key order, otherwise insertion order.

-- AccDoc: components of composite materials (glass units, sills, ...)
CREATE TABLE "AccDoc" (
  "ID" VARCHAR(30),
  "MatID" VARCHAR(30),
  "DetailNo" VARCHAR(10),
  "Principle" SMALLINT,
  "Const" DECIMAL(15,6),
  "Step" INTEGER,
  "StepCond" SMALLINT,
  "Width" INTEGER,
  "Height" INTEGER,
  "Number" DECIMAL(15,6),
  "Round" SMALLINT,
  "MinInt" SMALLINT,
  "CutMap" SMALLINT,
  "Printable" SMALLINT,
  "Param_11" SMALLINT,
  "Param_12" SMALLINT,
  "Param_21" SMALLINT,
  "Param_22" SMALLINT,
  "Param_31" SMALLINT,
  "Param_32" SMALLINT,
  "Sign_1" SMALLINT,
  "Sign_2" SMALLINT,
  "Sign_3" SMALLINT,
  "Const_1" DECIMAL(15,6),
  "Const_2" DECIMAL(15,6),
  "Const_3" DECIMAL(15,6),
  "Logic_1" SMALLINT,
  "Logic_2" SMALLINT,
  "Const_W" INTEGER,
  "Const_H" INTEGER,
  "Expense" DECIMAL(15,6),
  "Use" SMALLINT,
  "MatGroup" SMALLINT
);

-- MontSchm: mounting schemes
CREATE TABLE "MontSchm" (
  "ID" INTEGER,
  "Name" VARCHAR(100),
  "MatID" VARCHAR(30),
  "Formula" VARCHAR(100),
  "Condition" VARCHAR(100),
  "Number" DOUBLE,
  "MatGroup" SMALLINT,
  "Use" SMALLINT
);
