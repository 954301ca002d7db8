-- Tables of the GXDB_Private database: per-station work tables.

-- WorkList: orders and positions a station is working on
CREATE TABLE "WorkList" (
  "ID" INTEGER,
  "OrderNo" VARCHAR(20),
  "PosNo" VARCHAR(20),
  "FileName" VARCHAR(255),
  "Note" VARCHAR(100),
  PRIMARY KEY ("ID")
);
