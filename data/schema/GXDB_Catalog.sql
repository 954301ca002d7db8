-- Tables of the GXDB_Catalog database, one file per alias.
-- Column types: VARCHAR(n) text of at most n characters, SMALLINT 16-bit and INTEGER 32-bit
-- integers, AUTOINC an auto-increment number, DECIMAL(15,d) fixed-point with d decimals, DOUBLE a
-- double, MONEY TEXT money as exact decimal text with up to four decimals ('125.50'), DATE
-- 'yyyy-mm-dd', TIMESTAMP 'yyyy-mm-dd hh:nn:ss', BLOB binary data. Sizes are millimetres, angles
-- degrees. Table order is the primary key order, otherwise insertion order.

-- Catalog: every purchasable material
CREATE TABLE "Catalog" (
  "ID" VARCHAR(30),
  "System" VARCHAR(10),
  "Article" VARCHAR(20),
  "FrontColor" VARCHAR(10),
  "Group" SMALLINT,
  "Name" VARCHAR(100),
  "Unit" VARCHAR(10),
  "MaxLength" INTEGER,
  "MaxWidth" INTEGER,
  "MaxHeight" INTEGER,
  "MinLength" INTEGER,
  "MinWidth" INTEGER,
  "MinHeight" INTEGER,
  "Thickness" SMALLINT,
  "Weight" DECIMAL(15,2),
  "Volume" DECIMAL(15,2),
  "CutAvailable" SMALLINT,
  "Price" MONEY TEXT,
  "Currency" SMALLINT,
  "PriceList" INTEGER,
  "PriceMethod" SMALLINT,
  "GetCustom" SMALLINT,
  "GetNDS" SMALLINT,
  "Use" SMALLINT,
  "CommonUse" SMALLINT,
  "ScreenColor" INTEGER,
  "Virtual" SMALLINT,
  "Coef" DECIMAL(15,6),
  "CalcPrinciple" SMALLINT,
  "SizeToSquare" SMALLINT,
  "LenToSquare" SMALLINT,
  "ArcPriceCoef" DECIMAL(15,2),
  "NotStdPriceCoef" DECIMAL(15,2),
  "CombinePriceCoef" DECIMAL(15,2),
  "UseArticle" SMALLINT,
  "ProdArticle" VARCHAR(20),
  "ProdArticle2" VARCHAR(20),
  "ProdArticle3" VARCHAR(20),
  "IncludeToComp" SMALLINT,
  "AltUnit_1" VARCHAR(10),
  "AltUnit_2" VARCHAR(10),
  "AltCoef_1" DECIMAL(15,6),
  "AltCoef_2" DECIMAL(15,6),
  "AltInteger_1" SMALLINT,
  "AltInteger_2" SMALLINT,
  "RoundedTotal" SMALLINT,
  "Integer" SMALLINT,
  "GarantGrp" SMALLINT,
  "DustGrp" SMALLINT,
  "CustomGrp" SMALLINT,
  "PriceGrp" SMALLINT,
  "Laminating" SMALLINT,
  "GOST" VARCHAR(40),
  "ShortName" VARCHAR(50),
  "MinTrade" DECIMAL(15,2),
  "SingleLam" SMALLINT,
  "Export" VARCHAR(255),
  "Mark" VARCHAR(10),
  "PrintGroup" VARCHAR(20),
  "Reserve1" VARCHAR(30),
  "Reserve2" VARCHAR(30),
  "SubSetID" INTEGER,
  "LamSqExt" DECIMAL(15,8),
  "LamSqInn" DECIMAL(15,8),
  "LamSqFull" DECIMAL(15,8),
  "AutoChange" SMALLINT,
  "SinkDeltaW" INTEGER,
  "SinkDeltaL" INTEGER,
  PRIMARY KEY ("ID")
);
CREATE INDEX "Catalog_1" ON "Catalog" ("Article", "FrontColor");

-- COLORSET: colours
CREATE TABLE "COLORSET" (
  "Color" VARCHAR(10),
  "Name" VARCHAR(30),
  "Article" VARCHAR(30),
  "RAL" VARCHAR(20),
  "Renolit" VARCHAR(20),
  "ScrInnerColor" INTEGER,
  "ScrOuterColor" INTEGER,
  "ColorCoef" INTEGER,
  "InnerColor" VARCHAR(10),
  "OuterColor" VARCHAR(10),
  "Group" SMALLINT,
  "LamCoef" DECIMAL(15,2),
  "PaintCoef" DECIMAL(15,2),
  PRIMARY KEY ("Color")
);

-- SysColor: colours allowed in a system
CREATE TABLE "SysColor" (
  "ID" VARCHAR(10),
  "System" VARCHAR(10),
  "Article" VARCHAR(20),
  PRIMARY KEY ("ID", "System")
);

-- SysList: profile and fittings systems
CREATE TABLE "SysList" (
  "ID" VARCHAR(10),
  "Name" VARCHAR(50),
  "ShortName" VARCHAR(30),
  "Group" SMALLINT,
  "Use" SMALLINT,
  "BaseColor" VARCHAR(10),
  "GarantGrp" INTEGER,
  "CommonGrp" INTEGER,
  "MatType" SMALLINT,
  "ParentID" VARCHAR(10),
  PRIMARY KEY ("ID")
);

-- Currency: currencies; Value is the rate against the base unit
CREATE TABLE "Currency" (
  "ID" SMALLINT,
  "Name" VARCHAR(5),
  "Value" DOUBLE,
  "Nominative" VARCHAR(35),
  "Genitive" VARCHAR(35),
  "GenitivePlural" VARCHAR(35),
  "Gender" SMALLINT,
  "Dec" SMALLINT,
  PRIMARY KEY ("ID")
);

-- CalcMeth: price calculation methods
CREATE TABLE "CalcMeth" (
  "ID" SMALLINT,
  "Name" VARCHAR(100),
  "Currency" SMALLINT,
  "Use" SMALLINT,
  PRIMARY KEY ("ID")
);

-- CalcSchm: steps of a calculation method (table order = insertion order, so duplicate step numbers stay visible)
CREATE TABLE "CalcSchm" (
  "ID" INTEGER,
  "No" INTEGER,
  "Name" VARCHAR(100),
  "Formula" VARCHAR(100),
  "Condition" VARCHAR(100),
  "Param1" INTEGER,
  "Param2" INTEGER,
  "Param3" INTEGER,
  "Param4" INTEGER,
  "Param5" INTEGER,
  "Param6" INTEGER,
  "Format" VARCHAR(50),
  "Printable" SMALLINT,
  "NoPrintZero" SMALLINT,
  "Use" SMALLINT,
  "Dec" SMALLINT,
  "Dec1" SMALLINT,
  "Dec2" SMALLINT,
  "Dec3" SMALLINT,
  "Dec4" SMALLINT,
  "Dec5" SMALLINT,
  "Dec6" SMALLINT
);

-- PriceLst: size-grid price lists
CREATE TABLE "PriceLst" (
  "ID" INTEGER,
  "Name" VARCHAR(50),
  "Currency" SMALLINT,
  "MinPrice" MONEY TEXT,
  "Symmetric" SMALLINT,
  "Use" SMALLINT,
  "Param" SMALLINT,
  "PricePerOne" SMALLINT,
  PRIMARY KEY ("ID")
);

-- PriceGrd: rows of a size-grid price list
CREATE TABLE "PriceGrd" (
  "ID" INTEGER,
  "Size1" DECIMAL(15,2),
  "Size2" DECIMAL(15,2),
  "Price" MONEY TEXT,
  PRIMARY KEY ("ID", "Size1", "Size2")
);

-- LamList: laminating price lists
CREATE TABLE "LamList" (
  "ID" INTEGER,
  "Name" VARCHAR(50),
  "Currency" SMALLINT,
  "MinPrice" MONEY TEXT,
  "TestLength" DOUBLE,
  "Use" SMALLINT,
  "DblMethod" SMALLINT,
  "PriceMode" INTEGER,
  PRIMARY KEY ("ID")
);

-- LamColor: laminating colour coefficients
CREATE TABLE "LamColor" (
  "Color" VARCHAR(10),
  "ID" INTEGER,
  "PriceCoef" DOUBLE,
  PRIMARY KEY ("ID", "Color")
);

-- LamPrice: laminating prices by quantity
CREATE TABLE "LamPrice" (
  "ID" INTEGER,
  "Article" VARCHAR(20),
  "Qty" DOUBLE,
  "InnerPrice" MONEY TEXT,
  "OuterPrice" MONEY TEXT,
  "DblPrice" MONEY TEXT,
  PRIMARY KEY ("ID", "Article", "Qty")
);

-- DustGrp: waste allowance groups, in per cent
CREATE TABLE "DustGrp" (
  "GroupID" SMALLINT,
  "Dust" DECIMAL(15,2),
  "LamDust" DECIMAL(15,2),
  PRIMARY KEY ("GroupID")
);

-- PriceGrp: price groups
CREATE TABLE "PriceGrp" (
  "GroupID" SMALLINT,
  "Name" VARCHAR(20),
  "Reduce_1" DECIMAL(15,2),
  "Reduce_2" DECIMAL(15,2),
  "Reduce_3" DECIMAL(15,2),
  "Reduce_4" DECIMAL(15,2),
  "Reduce_5" DECIMAL(15,2),
  "Reduce_6" DECIMAL(15,2),
  "Reduce_7" DECIMAL(15,2),
  "Reduce_8" DECIMAL(15,2),
  "Reduce_9" DECIMAL(15,2),
  "Reduce_10" DECIMAL(15,2),
  PRIMARY KEY ("GroupID")
);

-- CustmGrp: import duty groups
CREATE TABLE "CustmGrp" (
  "GroupID" SMALLINT,
  "Name" VARCHAR(20),
  "Method" SMALLINT,
  "Tax" DECIMAL(15,2),
  "Currency" SMALLINT,
  PRIMARY KEY ("GroupID")
);

-- GaranGrp: guarantee groups
CREATE TABLE "GaranGrp" (
  "GroupID" SMALLINT,
  "Name" VARCHAR(20),
  "GarantSave" VARCHAR(20),
  "GarantWork" VARCHAR(20),
  PRIMARY KEY ("GroupID")
);

-- SysProp: property values; tens of ID = property, last digit = value
CREATE TABLE "SysProp" (
  "ID" INTEGER,
  "GroupName" VARCHAR(30),
  "ValueName" VARCHAR(50),
  "PrintName" VARCHAR(70),
  "Printable" SMALLINT,
  "Use" SMALLINT,
  "DefineProp" INTEGER,
  PRIMARY KEY ("ID")
);

-- TypeWin: construction types
CREATE TABLE "TypeWin" (
  "ID" INTEGER,
  "Parent" INTEGER,
  "Name" VARCHAR(50),
  "CombineType" SMALLINT,
  "ChildID1" INTEGER,
  "ChildID2" INTEGER,
  "PosID" VARCHAR(20),
  "PosArticle" VARCHAR(50),
  "PosName" VARCHAR(50),
  "PosWidth" INTEGER,
  "PosHeight" INTEGER,
  "WinType" SMALLINT,
  "FixedProfSys" VARCHAR(10),
  "FixedFurnSys" VARCHAR(10),
  "FixedGlass" VARCHAR(30),
  "CalcMethod" INTEGER,
  "WorkCoef" DECIMAL(15,2),
  "DopSchm" INTEGER,
  "ViewSide" SMALLINT,
  "OpenType" VARCHAR(30),
  "Use" SMALLINT,
  PRIMARY KEY ("ID")
);

-- TypeProf: profile scheme of a system per construction type
CREATE TABLE "TypeProf" (
  "ID" INTEGER,
  "System" VARCHAR(10),
  "SchlProfSys" VARCHAR(10),
  "FrameID" INTEGER,
  "FlugelID" INTEGER,
  "Impost" VARCHAR(30),
  "ImpostProp" VARCHAR(100),
  "ImpostAT" SMALLINT,
  "ImpostComb" INTEGER,
  "ImpostCProp" VARCHAR(100),
  "Spross" VARCHAR(30),
  "SprossProp" VARCHAR(100),
  "SprossAT" SMALLINT,
  "SprossComb" INTEGER,
  "SprossCProp" VARCHAR(100),
  "Stulp" VARCHAR(30),
  "StulpProp" VARCHAR(100),
  "StulpAT" SMALLINT,
  "StulpComb" INTEGER,
  "StulpCProp" VARCHAR(100),
  "Stoika" VARCHAR(30),
  "StoikaProp" VARCHAR(100),
  "StoikaAT" SMALLINT,
  "StoikaComb" INTEGER,
  "StoikaCProp" VARCHAR(100),
  "Riegel" VARCHAR(30),
  "RiegelProp" VARCHAR(100),
  "RiegelAT" SMALLINT,
  "RiegelComb" INTEGER,
  "RiegelCProp" VARCHAR(100),
  "Falsh1" VARCHAR(30),
  "Falsh1Prop" VARCHAR(100),
  "Falsh1AT" SMALLINT,
  "Falsh1Comb" INTEGER,
  "Falsh1CProp" VARCHAR(100),
  "Falsh2" VARCHAR(30),
  "Falsh2Prop" VARCHAR(100),
  "Falsh2AT" SMALLINT,
  "Falsh2Comb" INTEGER,
  "Falsh2CProp" VARCHAR(100),
  "ImpostFixFix" VARCHAR(30),
  "ImpostFixFixProp" VARCHAR(100),
  "ImpostFixFixAT" SMALLINT,
  "ImpostFixFixComb" INTEGER,
  "ImpostFixFixCProp" VARCHAR(100),
  "VImpostFixDK" VARCHAR(30),
  "VImpostFixDKProp" VARCHAR(100),
  "VImpostFixDKAT" SMALLINT,
  "VImpostFixDKComb" INTEGER,
  "VImpostFixDKCProp" VARCHAR(100),
  "VImpostDKFix" VARCHAR(30),
  "VImpostDKFixProp" VARCHAR(100),
  "VImpostDKFixAT" SMALLINT,
  "VImpostDKFixComb" INTEGER,
  "VImpostDKFixCProp" VARCHAR(100),
  "HImpostDKDK" VARCHAR(30),
  "HImpostDKDKProp" VARCHAR(100),
  "HImpostDKDKAT" SMALLINT,
  "HImpostDKDKComb" INTEGER,
  "HImpostDKDKCProp" VARCHAR(100),
  "HImpostFixDK" VARCHAR(30),
  "HImpostFixDKProp" VARCHAR(100),
  "HImpostFixDKAT" SMALLINT,
  "HImpostFixDKComb" INTEGER,
  "HImpostFixDKCProp" VARCHAR(100),
  "HImpostDKFix" VARCHAR(30),
  "HImpostDKFixProp" VARCHAR(100),
  "HImpostDKFixAT" SMALLINT,
  "HImpostDKFixComb" INTEGER,
  "HImpostDKFixCProp" VARCHAR(100),
  "AttachProf" VARCHAR(30),
  "Auflaufbock" VARCHAR(30),
  "WasserAbdeckkappe" VARCHAR(30),
  "FrameProp" VARCHAR(100),
  "FlugelProp" VARCHAR(100),
  "Modify1ID" INTEGER,
  "Modify1Prop" VARCHAR(100),
  "Modify2ID" INTEGER,
  "Modify2Prop" VARCHAR(100),
  "Modify3ID" INTEGER,
  "Modify3Prop" VARCHAR(100),
  "Modify4ID" INTEGER,
  "Modify4Prop" VARCHAR(100),
  "Modify5ID" INTEGER,
  "Modify5Prop" VARCHAR(100),
  "Modify6ID" INTEGER,
  "Modify6Prop" VARCHAR(100),
  "Modify7ID" INTEGER,
  "Modify7Prop" VARCHAR(100),
  "Modify8ID" INTEGER,
  "Modify8Prop" VARCHAR(100),
  "FlugelLID" INTEGER,
  "FlugelLProp" VARCHAR(100),
  "FlugelRID" INTEGER,
  "FlugelRProp" VARCHAR(100),
  "FlugelLTPID" INTEGER,
  "FlugelLTPProp" VARCHAR(100),
  "FlugelRTPID" INTEGER,
  "FlugelRTPProp" VARCHAR(100),
  "FlugelLKTPID" INTEGER,
  "FlugelLKTPProp" VARCHAR(100),
  "FlugelRKTPID" INTEGER,
  "FlugelRKTPProp" VARCHAR(100),
  "FlugelCID" INTEGER,
  "FlugelCProp" VARCHAR(100),
  "FBMaxWidth" INTEGER,
  "FBMaxHeight" INTEGER,
  "FDMaxWidth" INTEGER,
  "FDMaxHeight" INTEGER,
  "SBMinWidth" INTEGER,
  "SBMinHeight" INTEGER,
  "SDMinWidth" INTEGER,
  "SDMinHeight" INTEGER,
  "ImpostMinSize" INTEGER,
  "ISteelMinSize" INTEGER,
  "EckverMinWidth" INTEGER,
  "EckverMinHeight" INTEGER,
  "WeldMinSize" INTEGER,
  "WeldMaxSize" INTEGER,
  "WeldAllowance" DECIMAL(15,3),
  "ImpostWelding" SMALLINT,
  "CheckProfLen" SMALLINT,
  "CheckFrameMaxSize" SMALLINT,
  "CheckFrameSteelMinSize" SMALLINT,
  "CheckFlugelMaxSize" SMALLINT,
  "CheckImpostMaxSize" SMALLINT,
  "CheckImpostMinSize" SMALLINT,
  "CheckImpostSteelMinSize" SMALLINT,
  "CheckWeldMinSize" SMALLINT,
  "CheckWeldMaxSize" SMALLINT,
  "SteelByPerimeter" SMALLINT,
  "FlugelNoSteel" SMALLINT,
  "AllwaysEnforceHImpost" SMALLINT,
  "ImpostSaveDefSteel" SMALLINT,
  "FlugelSaveDefSteel" SMALLINT,
  "UseSteelPriority" SMALLINT,
  "BeadAngleType" SMALLINT,
  "StaticMethod" SMALLINT,
  "DesignMode" INTEGER,
  PRIMARY KEY ("ID", "System")
);

-- TypeFurn: fittings scheme of a system
CREATE TABLE "TypeFurn" (
  "ID" INTEGER,
  "System" VARCHAR(10),
  "Handle" VARCHAR(30),
  "Hinge" VARCHAR(30),
  "Lock" VARCHAR(30),
  "Cylinder" VARCHAR(30),
  "Drive" VARCHAR(30),
  "Latch" VARCHAR(30),
  "DopComplect1" VARCHAR(30),
  "DopComplect2" VARCHAR(30),
  "DopComplect3" VARCHAR(30),
  "DKR" VARCHAR(30),
  "DKL" VARCHAR(30),
  "DR" VARCHAR(30),
  "DL" VARCHAR(30),
  "DK" VARCHAR(30),
  "FurnProp" VARCHAR(100),
  "UserDefineHeight" SMALLINT,
  PRIMARY KEY ("ID", "System")
);

-- AutoChng: automatic material substitution
CREATE TABLE "AutoChng" (
  "FromID" VARCHAR(30),
  "Material" INTEGER,
  "FromNumber" DECIMAL(15,8),
  "ToID" VARCHAR(30),
  "ToNumber" DECIMAL(15,8)
);

-- Service: services
CREATE TABLE "Service" (
  "ID" SMALLINT,
  "Name" VARCHAR(100),
  "Principle" SMALLINT,
  "SizeType" SMALLINT,
  "AddSize" DECIMAL(15,2),
  "Currency" SMALLINT,
  "Percent" DECIMAL(15,2),
  "MinPrice" MONEY TEXT,
  "Price" MONEY TEXT,
  PRIMARY KEY ("ID")
);

-- Reduce: discount sets
CREATE TABLE "Reduce" (
  "ID" INTEGER,
  "Name" VARCHAR(50),
  "Windows" DECIMAL(15,2),
  "DopProf" DECIMAL(15,2),
  "MontMat" DECIMAL(15,2),
  "Sill" DECIMAL(15,2),
  "Sink" DECIMAL(15,2),
  "Mosquito" DECIMAL(15,2),
  "Rollet" DECIMAL(15,2),
  "Jalousie" DECIMAL(15,2),
  "Glass" DECIMAL(15,2),
  "Furniture" DECIMAL(15,2),
  "OverTax" DECIMAL(15,2),
  "CommonTax" DECIMAL(15,2),
  "NDSTax" DECIMAL(15,2),
  "Group" INTEGER,
  "TotalNDS" SMALLINT,
  "Syncro" INTEGER,
  PRIMARY KEY ("ID")
);

-- TecList: technologies
CREATE TABLE "TecList" (
  "ID" INTEGER,
  "Name" VARCHAR(100),
  "Use" SMALLINT,
  "Note" VARCHAR(255),
  "PriceCoef" DOUBLE,
  "WorkCoef" DOUBLE,
  PRIMARY KEY ("ID")
);

-- TecItem: items of a technology
CREATE TABLE "TecItem" (
  "ID" INTEGER,
  "MasterID" INTEGER,
  "Group" INTEGER,
  "Name" VARCHAR(50),
  PRIMARY KEY ("ID")
);

-- TecSet: rules of a technology
CREATE TABLE "TecSet" (
  "MasterID" INTEGER,
  "ID" INTEGER,
  "Name" VARCHAR(30),
  "Formula" VARCHAR(255),
  "Condition" VARCHAR(255),
  "FRound" SMALLINT,
  "CRound" SMALLINT,
  "Number" DOUBLE,
  "MatGroup" SMALLINT,
  "Use" SMALLINT,
  PRIMARY KEY ("MasterID", "ID")
);

-- TecMat: materials of a technology
CREATE TABLE "TecMat" (
  "MasterID" INTEGER,
  "ID" INTEGER,
  PRIMARY KEY ("MasterID", "ID")
);

-- TecColor: painting material by colour
CREATE TABLE "TecColor" (
  "MasterID" INTEGER,
  "ColorID" VARCHAR(10),
  "MatID" VARCHAR(32),
  PRIMARY KEY ("MasterID", "ColorID")
);

-- Material: technology materials
CREATE TABLE "Material" (
  "ID" INTEGER,
  "Name" VARCHAR(50),
  "PriceCoef" DOUBLE,
  "WorkCoef" DOUBLE,
  PRIMARY KEY ("ID")
);

-- SysProf: profile and fittings systems that fit together
CREATE TABLE "SysProf" (
  "SchlSysID" VARCHAR(10),
  "FurnSysID" VARCHAR(10),
  "Name" VARCHAR(20),
  PRIMARY KEY ("SchlSysID", "FurnSysID")
);

-- CommProp: commercial properties
CREATE TABLE "CommProp" (
  "ID" INTEGER,
  "Group" SMALLINT,
  "GroupName" VARCHAR(50),
  "ValueName" VARCHAR(50),
  "Default" SMALLINT,
  PRIMARY KEY ("ID")
);

-- Stat_Cit: cities and their wind regions
CREATE TABLE "Stat_Cit" (
  "City" VARCHAR(50),
  "RegID" INTEGER,
  PRIMARY KEY ("City")
);

-- Stat_Reg: wind regions and normative pressure W0, kgf/m2
CREATE TABLE "Stat_Reg" (
  "ID" INTEGER,
  "W0" DOUBLE,
  PRIMARY KEY ("ID")
);

-- Stat_K0: wind pressure coefficient by height (m) and terrain type
CREATE TABLE "Stat_K0" (
  "H" INTEGER,
  "A" DOUBLE,
  "B" DOUBLE,
  "C" DOUBLE,
  PRIMARY KEY ("H")
);

-- Stat_K1: correction by the largest glass height (mm)
CREATE TABLE "Stat_K1" (
  "H" INTEGER,
  "K" DOUBLE,
  PRIMARY KEY ("H")
);

-- Stat_K2: glass-edge deflection correction
CREATE TABLE "Stat_K2" (
  "H" INTEGER,
  "K1" DOUBLE,
  "K2" DOUBLE,
  "K3" DOUBLE,
  "K4" DOUBLE,
  PRIMARY KEY ("H")
);

-- Library: library of stored constructions (construction stream in Construction)
CREATE TABLE "Library" (
  "ID" INTEGER,
  "Parent" INTEGER,
  "Name" VARCHAR(100),
  "Note" VARCHAR(255),
  "Construction" BLOB,
  PRIMARY KEY ("ID")
);
