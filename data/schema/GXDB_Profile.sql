-- Tables of the GXDB_Profile database, one file per alias.
-- Column types: VARCHAR(n) text of at most n characters, SMALLINT 16-bit and INTEGER 32-bit
-- integers, AUTOINC an auto-increment number, DECIMAL(15,d) fixed-point with d decimals, DOUBLE a
-- double, MONEY TEXT money as exact decimal text with up to four decimals ('125.50'), DATE
-- 'yyyy-mm-dd', TIMESTAMP 'yyyy-mm-dd hh:nn:ss', BLOB binary data. Sizes are millimetres, angles
-- degrees. Table order is the primary key order, otherwise insertion order.

-- ProfList: one row per profile article
CREATE TABLE "ProfList" (
  "Profile" VARCHAR(20),
  "Group" SMALLINT,
  "Use" SMALLINT,
  "CommonGrp" INTEGER,
  "Virtual" SMALLINT,
  "Name" VARCHAR(70),
  "OrgArticle" VARCHAR(20),
  "Width" DECIMAL(15,1),
  "Thickness" DECIMAL(15,1),
  "Chamfer" DECIMAL(15,1),
  "Steel" VARCHAR(20),
  "SteelFalz" DECIMAL(15,1),
  "SteelThickness" DECIMAL(15,2),
  "FrameSize" DECIMAL(15,1),
  "SteelSize" DECIMAL(15,1),
  "FlugelSize" DECIMAL(15,1),
  "ImpostSize" DECIMAL(15,1),
  "GlassSize" DECIMAL(15,1),
  "GlassSize2" DECIMAL(15,1),
  "BeadSize" DECIMAL(15,1),
  "BeadSize2" DECIMAL(15,1),
  "AdapterSize" DECIMAL(15,1),
  "AdapterSize2" DECIMAL(15,1),
  "AdapterCorrect" DECIMAL(15,1),
  "StulpSize" DECIMAL(15,1),
  "StulpType" SMALLINT,
  "OpenType" SMALLINT,
  "FalzLuft" DECIMAL(15,1),
  "FalzSize" DECIMAL(15,1),
  "FalzPos" DECIMAL(15,1),
  "DornMass" DECIMAL(15,1),
  "Ix" DECIMAL(15,2),
  "Iy" DECIMAL(15,2),
  "RadiusAvailable" SMALLINT,
  "Coef" DECIMAL(15,6),
  "ColorAlternative" VARCHAR(20),
  "MultiSysID" VARCHAR(10),
  "StaticGrp" INTEGER,
  "BeadGrp" INTEGER,
  "ImpostGrp" INTEGER,
  "FlugelGrp" INTEGER,
  "SockelGrp" INTEGER,
  "SteelGrp" INTEGER,
  "FalshGrp" INTEGER,
  "DoubleGlass" SMALLINT,
  "ModifySize" DECIMAL(15,1),
  "ModifySize2" DECIMAL(15,1),
  "ModifySize3" DECIMAL(15,1),
  "FSGrp" INTEGER,
  "FSFalz" DECIMAL(15,1),
  "FSFreza" DECIMAL(15,1),
  "FSPolka" DECIMAL(15,1),
  "PropKey" INTEGER,
  "SubSetID" INTEGER,
  "FSPrigim" DECIMAL(15,1),
  "FSDekor" DECIMAL(15,1),
  "FSAngleMin" DECIMAL(15,2),
  "FSAngleMax" DECIMAL(15,2),
  PRIMARY KEY ("Profile")
);

-- CombList: profile combinations; table order is insertion order
CREATE TABLE "CombList" (
  "Profile1" VARCHAR(20),
  "Profile2" VARCHAR(20),
  "Group" SMALLINT,
  "AngleType" SMALLINT,
  "No" SMALLINT,
  "MinAngle" SMALLINT,
  "MaxAngle" SMALLINT,
  "Cross" SMALLINT,
  "ProfDeltaSize" DECIMAL(15,2),
  "SteelDeltaSize" DECIMAL(15,2),
  "SteelAngle" SMALLINT,
  "ProfDeltaSize2" DECIMAL(15,2),
  "SteelDeltaSize2" DECIMAL(15,2),
  "SteelAngle2" SMALLINT,
  "StaticGrp" INTEGER,
  "Priority" SMALLINT,
  "Use" SMALLINT,
  "PropKey" INTEGER,
  "SubSetID" INTEGER,
  "Name" VARCHAR(100)
);

-- BeadComb: bead combinations; ID is money-typed and used as a number
CREATE TABLE "BeadComb" (
  "ID" MONEY TEXT,
  "ProfGrp" INTEGER,
  "Thickness" SMALLINT,
  "No" INTEGER,
  "BeadGrp" INTEGER,
  "Name" VARCHAR(40),
  "Bead" VARCHAR(20),
  "Adapter" VARCHAR(20),
  "ProfRubber" VARCHAR(20),
  "BeadRubber" VARCHAR(20),
  "Lining_1" VARCHAR(20),
  "Number_1" SMALLINT,
  "Lining_2" VARCHAR(20),
  "Number_2" SMALLINT,
  "Lining_3" VARCHAR(20),
  "Number_3" SMALLINT,
  "Lining_4" VARCHAR(20),
  "Number_4" SMALLINT,
  "Lining_5" VARCHAR(20),
  "Number_5" SMALLINT,
  PRIMARY KEY ("ID")
);
CREATE INDEX "BeadComb_1" ON "BeadComb" ("ProfGrp", "Thickness", "BeadGrp");
CREATE INDEX "BeadComb_2" ON "BeadComb" ("ProfGrp", "Thickness", "Bead", "Adapter", "ProfRubber", "BeadRubber");

-- BeadGrp: 
CREATE TABLE "BeadGrp" (
  "Name" VARCHAR(30),
  "Group" INTEGER,
  PRIMARY KEY ("Group")
);

-- Accessry: accessory colour by profile colour
CREATE TABLE "Accessry" (
  "Profile" VARCHAR(20),
  "Color" VARCHAR(10),
  "ProfColor" VARCHAR(10),
  "ProfArticle" VARCHAR(20),
  PRIMARY KEY ("Profile", "Color")
);

-- FLStatic: sash static limit graphs
CREATE TABLE "FLStatic" (
  "ID" INTEGER,
  "Stulp" VARCHAR(20),
  "StulpSteel" VARCHAR(20),
  "Kipp" SMALLINT,
  "GlassWeight" SMALLINT,
  "Note" VARCHAR(50),
  "BG_A" VARCHAR(255),
  "BG_B" VARCHAR(255),
  "BG_C" VARCHAR(255),
  "BG_D" VARCHAR(255),
  "DG_A" VARCHAR(255),
  "DG_B" VARCHAR(255),
  "DG_C" VARCHAR(255),
  "DG_D" VARCHAR(255),
  PRIMARY KEY ("ID", "Stulp", "StulpSteel", "Kipp")
);

-- ProfSet: calculation rules of a profile (rule set = SubSetID)
CREATE TABLE "ProfSet" (
  "ID" INTEGER,
  "MatID" VARCHAR(20),
  "PropKey" INTEGER,
  "Formula" VARCHAR(100),
  "Condition" VARCHAR(100),
  "FRound" SMALLINT,
  "CRound" SMALLINT,
  "SRound" SMALLINT,
  "Number" DOUBLE,
  "CutAngle" SMALLINT,
  "Angle1" DECIMAL(15,2),
  "Angle2" DECIMAL(15,2),
  "CutMap" SMALLINT,
  "MatGroup" SMALLINT,
  "ColorMethod" SMALLINT,
  "AutoColor" SMALLINT,
  "FixedColor" VARCHAR(10),
  "Use" SMALLINT,
  "Step" VARCHAR(100),
  "ColorAttrMethod" INTEGER,
  "FixedColorAttr1" VARCHAR(10),
  "FixedColorAttr2" VARCHAR(10)
);

-- CombSet: calculation rules of a combination
CREATE TABLE "CombSet" (
  "ID" INTEGER,
  "Key" AUTOINC,
  "MatID" VARCHAR(20),
  "PropKey" INTEGER,
  "Formula" VARCHAR(100),
  "Condition" VARCHAR(100),
  "FRound" SMALLINT,
  "CRound" SMALLINT,
  "SRound" SMALLINT,
  "Number" DOUBLE,
  "CutAngle" SMALLINT,
  "Angle1" DECIMAL(15,2),
  "Angle2" DECIMAL(15,2),
  "CutMap" SMALLINT,
  "MatGroup" SMALLINT,
  "ColorMethod" SMALLINT,
  "AutoColor" SMALLINT,
  "FixedColor" VARCHAR(10),
  "Use" SMALLINT,
  "Step" VARCHAR(100),
  "ColorAttrMethod" INTEGER,
  "FixedColorAttr1" VARCHAR(10),
  "FixedColorAttr2" VARCHAR(10),
  PRIMARY KEY ("ID", "Key")
);

-- ConsSet: calculation rules of a construction element
CREATE TABLE "ConsSet" (
  "ID" INTEGER,
  "Key" AUTOINC,
  "MatID" VARCHAR(20),
  "PropKey" INTEGER,
  "Formula" VARCHAR(100),
  "Condition" VARCHAR(100),
  "FRound" SMALLINT,
  "CRound" SMALLINT,
  "SRound" SMALLINT,
  "Number" DOUBLE,
  "CutAngle" SMALLINT,
  "Angle1" DECIMAL(15,2),
  "Angle2" DECIMAL(15,2),
  "CutMap" SMALLINT,
  "MatGroup" SMALLINT,
  "ColorMethod" SMALLINT,
  "AutoColor" SMALLINT,
  "FixedColor" VARCHAR(10),
  "Use" SMALLINT,
  "Step" VARCHAR(100),
  "ColorAttrMethod" INTEGER,
  "FixedColorAttr1" VARCHAR(10),
  "FixedColorAttr2" VARCHAR(10),
  PRIMARY KEY ("ID", "Key")
);

-- ProfProp: property values allowed for a rule
CREATE TABLE "ProfProp" (
  "PropKey" INTEGER,
  "ID" INTEGER,
  "Default" SMALLINT,
  PRIMARY KEY ("PropKey", "ID")
);

-- CombProp: property values allowed for a rule
CREATE TABLE "CombProp" (
  "PropKey" INTEGER,
  "ID" INTEGER,
  "Default" SMALLINT,
  PRIMARY KEY ("PropKey", "ID")
);

-- ConsProp: property values allowed for a rule
CREATE TABLE "ConsProp" (
  "PropKey" INTEGER,
  "ID" INTEGER,
  "Default" SMALLINT,
  PRIMARY KEY ("PropKey", "ID")
);

-- ConsList: construction elements
CREATE TABLE "ConsList" (
  "ID" INTEGER,
  "Group" SMALLINT,
  "System" INTEGER,
  "PropKey" INTEGER,
  "Name" VARCHAR(100),
  "Prof_1" VARCHAR(20),
  "Prof_2" VARCHAR(20),
  "Prof_3" VARCHAR(20),
  "Prof_4" VARCHAR(20),
  "Prof_X" VARCHAR(20),
  "Steel_1" VARCHAR(20),
  "Steel_2" VARCHAR(20),
  "Steel_3" VARCHAR(20),
  "Steel_4" VARCHAR(20),
  "Steel_X" VARCHAR(20),
  "X_1" SMALLINT,
  "X_2" SMALLINT,
  "X_3" SMALLINT,
  "X_4" SMALLINT,
  "X_X" SMALLINT,
  "V_1" VARCHAR(20),
  "V_2" VARCHAR(20),
  "V_3" VARCHAR(20),
  "V_4" VARCHAR(20),
  "V_X" VARCHAR(20),
  "W_1" INTEGER,
  "W_2" INTEGER,
  "W_3" INTEGER,
  "W_4" INTEGER,
  "Mark_1" SMALLINT,
  "Mark_2" SMALLINT,
  "Mark_3" SMALLINT,
  "Mark_4" SMALLINT,
  "Use" SMALLINT,
  "SubGroup" SMALLINT,
  "CommonGrp" INTEGER,
  "Note" VARCHAR(100),
  "NotStdEnabled" SMALLINT,
  "Symmetric" INTEGER,
  "ImageFile" VARCHAR(30),
  "Treshold" SMALLINT,
  "InverseColor" SMALLINT,
  "StaticGrp" INTEGER,
  "BeadGrp" INTEGER,
  "ModifyGrp" INTEGER,
  "StulpGrp" INTEGER,
  PRIMARY KEY ("ID")
);

-- DpList: sets of additional profiles
CREATE TABLE "DpList" (
  "ID" INTEGER,
  "Parent" INTEGER,
  "Name" VARCHAR(70),
  "Use" SMALLINT,
  "CommonGrp" INTEGER,
  PRIMARY KEY ("ID")
);

-- DpSchm: content of an additional-profile set
CREATE TABLE "DpSchm" (
  "ID" INTEGER,
  "MatID" VARCHAR(42),
  "LMethod" SMALLINT,
  "AMethod" SMALLINT,
  "RMethod" SMALLINT,
  "CMethod" SMALLINT,
  "Number" DOUBLE,
  "Length" INTEGER,
  "Angle1" DECIMAL(15,2),
  "Angle2" DECIMAL(15,2),
  "Radius" INTEGER,
  "Color" VARCHAR(10),
  "CutMap" SMALLINT,
  "MatGroup" SMALLINT,
  "Step" INTEGER,
  "OffSet" INTEGER,
  "Const" DOUBLE,
  "UseLength" SMALLINT
);

-- FSThermo: thermal parts of facade mullions
CREATE TABLE "FSThermo" (
  "ID" INTEGER,
  "Level" INTEGER,
  "Level2" INTEGER,
  "Thickness" INTEGER,
  "MinAngle" DECIMAL(15,2),
  "MaxAngle" DECIMAL(15,2),
  "Thermo" VARCHAR(25),
  "Rubber" VARCHAR(25),
  "Distancer" VARCHAR(25),
  "DistancerCount" INTEGER,
  "Lining" VARCHAR(25),
  "LiningCount" INTEGER
);
