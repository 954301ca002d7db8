-- Tables of the GXDB_SysDB database (the system database): the users of the program and the
-- stations they are working at. Column types as in the other schema scripts.

-- Users: Rights lists the two-digit codes of the modules the user may enter, separated by ","
-- ("02" is the design module). PasswordHash is the salted hash of the upper-cased password in
-- the crypt(3) form ("$6$salt$hash"); the password itself is never stored.
CREATE TABLE "Users" (
  "ID" INTEGER PRIMARY KEY,
  "Name" VARCHAR(50) NOT NULL,
  "PasswordHash" VARCHAR(128) NOT NULL,
  "Rights" VARCHAR(200) NOT NULL DEFAULT ''
);

-- Stations: who is working where; a row lives from the login to the end of the program.
CREATE TABLE "Stations" (
  "Station" VARCHAR(100) PRIMARY KEY,
  "UserID" INTEGER NOT NULL,
  "LoginTime" TIMESTAMP
);
