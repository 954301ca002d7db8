-- Tables of the GXDB_Furniture database, one file per alias.
-- Column types: VARCHAR(n) text of at most n characters, SMALLINT 16-bit and INTEGER 32-bit
-- integers, AUTOINC an auto-increment number, DECIMAL(15,d) fixed-point with d decimals, DOUBLE a
-- double, MONEY TEXT money as exact decimal text with up to four decimals ('125.50'), DATE
-- 'yyyy-mm-dd', TIMESTAMP 'yyyy-mm-dd hh:nn:ss', BLOB binary data. Sizes are millimetres, angles
-- degrees. Table order is the primary key order, otherwise insertion order.

-- FrnComp: fittings complects
CREATE TABLE "FrnComp" (
  "ID" VARCHAR(30),
  "Name" VARCHAR(70),
  "Group" SMALLINT,
  "SubGroup" SMALLINT,
  "Image" SMALLINT,
  "CompectImage" SMALLINT,
  "MaxWeight" SMALLINT,
  "ScrColor" INTEGER,
  "TFlugelAvailable" SMALLINT,
  "Use" SMALLINT,
  "SymmetricID" VARCHAR(30),
  "MultiSysID" VARCHAR(10),
  "Kipp" SMALLINT,
  "Direct" SMALLINT,
  "CommonGrp" INTEGER,
  "Note" VARCHAR(50),
  "Printable" SMALLINT,
  "PrintName" VARCHAR(70),
  "Alert" VARCHAR(255),
  "PropKey" INTEGER,
  "DispHingeNum" INTEGER,
  PRIMARY KEY ("ID")
);

-- FrnSide: limits of a complect per sash side
CREATE TABLE "FrnSide" (
  "ID" VARCHAR(30),
  "Side" SMALLINT,
  "MinSize" SMALLINT,
  "MaxSize" SMALLINT,
  "MinRadius" SMALLINT,
  "MaxRadius" SMALLINT,
  "OpenMode" SMALLINT,
  "RotSide" SMALLINT,
  "Handled" SMALLINT,
  "Banded" SMALLINT,
  "Drived" SMALLINT,
  "FullRadius" SMALLINT,
  "HalfRadius" SMALLINT,
  "EllipseRadius" SMALLINT,
  "MinAngle" DECIMAL(15,2),
  "MaxAngle" DECIMAL(15,2),
  "HandleDirect" SMALLINT,
  PRIMARY KEY ("ID", "Side")
);

-- FrnSet: items of a complect
CREATE TABLE "FrnSet" (
  "ID" VARCHAR(30),
  "Item" VARCHAR(30),
  "Key" AUTOINC,
  "PropKey" INTEGER,
  "Number" SMALLINT,
  "Side1No" SMALLINT,
  "Side2No" SMALLINT,
  "AngleNo" SMALLINT,
  "FFBMin" SMALLINT,
  "FFBMax" SMALLINT,
  "FFHMin" SMALLINT,
  "FFHMax" SMALLINT,
  "FFL1No" SMALLINT,
  "FFL1Min" SMALLINT,
  "FFL1Max" SMALLINT,
  "FFL2No" SMALLINT,
  "FFL2Min" SMALLINT,
  "FFL2Max" SMALLINT,
  "FFL21No" SMALLINT,
  "FFL21Min" SMALLINT,
  "FFL21Max" SMALLINT,
  "FFL22No" SMALLINT,
  "FFL22Min" SMALLINT,
  "FFL22Max" SMALLINT,
  "FFANo" SMALLINT,
  "FFAMin" DECIMAL(15,2),
  "FFAMax" DECIMAL(15,2),
  "FFR1No" SMALLINT,
  "FFR1Min" SMALLINT,
  "FFR1Max" SMALLINT,
  "FFR1Type" SMALLINT,
  "FFR2No" SMALLINT,
  "FFR2Min" SMALLINT,
  "FFR2Max" SMALLINT,
  "FFR2Type" SMALLINT,
  "Condition" SMALLINT,
  "ScaleCondition" SMALLINT,
  "ScaleStep" SMALLINT,
  "ScaleStart" SMALLINT,
  "ScaleNum" SMALLINT,
  "ScaleScheme" VARCHAR(50),
  "ColorCondition" SMALLINT,
  "DefineHandleHeight" SMALLINT,
  "HandleSideNo" SMALLINT,
  "StulpType" SMALLINT,
  "Required" SMALLINT,
  "UseLen" SMALLINT,
  "LenFormula" VARCHAR(100),
  "MinLen" SMALLINT,
  "Note" VARCHAR(100),
  "AlertIfNoArt" VARCHAR(100),
  "AlertIfIgnore" VARCHAR(100),
  "UseIfArt" VARCHAR(30),
  PRIMARY KEY ("ID", "Item", "Key")
);

-- FrnItem: item kinds
CREATE TABLE "FrnItem" (
  "ID" VARCHAR(30),
  "Name" VARCHAR(70),
  "HasDornMass" SMALLINT,
  "HasProfSys" SMALLINT,
  "CheckWeight" SMALLINT,
  "HasColor" SMALLINT,
  "HasFalzLuft" SMALLINT,
  "HasFalzSize" SMALLINT,
  "HasFalzPos" SMALLINT,
  "CheckThickness" SMALLINT,
  "CheckProfWidth" SMALLINT,
  "CheckStulpType" SMALLINT,
  "CheckDirect" SMALLINT,
  "CommonGrp" INTEGER,
  "Virtual" SMALLINT,
  PRIMARY KEY ("ID")
);

-- FrnArt: articles of an item
CREATE TABLE "FrnArt" (
  "ID" VARCHAR(30),
  "CatalogID" VARCHAR(30),
  "FalzLuft" SMALLINT,
  "FalzSize" SMALLINT,
  "FalzPos" SMALLINT,
  "DornMassMin" DECIMAL(15,2),
  "DornMassMax" DECIMAL(15,2),
  "HandleMin" SMALLINT,
  "HandleMax" SMALLINT,
  "HandleHeight" SMALLINT,
  "WeightMin" DECIMAL(15,2),
  "WeightMax" DECIMAL(15,2),
  "ThicknessMin" SMALLINT,
  "ThicknessMax" SMALLINT,
  "ProfWidthMin" SMALLINT,
  "ProfWidthMax" SMALLINT,
  "ProfSys" VARCHAR(10),
  "FFBMin" SMALLINT,
  "FFBMax" SMALLINT,
  "FFHMin" SMALLINT,
  "FFHMax" SMALLINT,
  "Color" VARCHAR(10),
  "StulpType" SMALLINT,
  "FFAMin" DECIMAL(15,2),
  "FFAMax" DECIMAL(15,2),
  "Direct" SMALLINT,
  "FFL1Min" SMALLINT,
  "FFL1Max" SMALLINT,
  "FFL2Min" SMALLINT,
  "FFL2Max" SMALLINT,
  "FFR1Min" SMALLINT,
  "FFR1Max" SMALLINT,
  "FFR2Min" SMALLINT,
  "FFR2Max" SMALLINT
);

-- FrnItoI: content of a composite item
CREATE TABLE "FrnItoI" (
  "ID" VARCHAR(30),
  "Item" VARCHAR(30),
  "PropKey" INTEGER,
  "Number" SMALLINT,
  "StulpType" SMALLINT,
  "ColorCondition" SMALLINT,
  "Required" SMALLINT,
  "AlertIfNoArt" VARCHAR(100),
  "AlertIfIgnore" VARCHAR(100)
);

-- FrnDop: extra accessories of an article
CREATE TABLE "FrnDop" (
  "CatalogID" VARCHAR(30),
  "AccessoryID" VARCHAR(30),
  "Number" SMALLINT,
  "PropKey" INTEGER,
  "StulpType" SMALLINT
);

-- FrnAbd: colour-dependent extra accessories of an article
CREATE TABLE "FrnAbd" (
  "CatalogID" VARCHAR(30),
  "Color" VARCHAR(10),
  "AccessoryID" VARCHAR(30),
  "Number" SMALLINT
);

-- FrnSchl: strike plates of an article
CREATE TABLE "FrnSchl" (
  "CatalogID" VARCHAR(30),
  "Item" VARCHAR(30),
  "Number" SMALLINT,
  "StulpType" SMALLINT,
  "PropKey" INTEGER
);

-- FrnProp: property values of complects
CREATE TABLE "FrnProp" (
  "ID" INTEGER,
  "PropKey" INTEGER,
  "Default" SMALLINT,
  PRIMARY KEY ("ID", "PropKey")
);

-- FrnSysP: systems that fit together
CREATE TABLE "FrnSysP" (
  "ProfSysID" VARCHAR(10),
  "FurnSysID" VARCHAR(10),
  "SchlSysID" VARCHAR(10),
  "StulpSysID" VARCHAR(10)
);
