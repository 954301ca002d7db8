-- Tables of the GXDB_Report database: report templates.

-- Report: one report template
CREATE TABLE "Report" (
  "ID" INTEGER,
  "Group" SMALLINT,
  "Name" VARCHAR(100),
  "FileName" VARCHAR(255),
  "Template" BLOB,
  "Use" SMALLINT,
  PRIMARY KEY ("ID")
);
