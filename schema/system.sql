-- System database (SysData/ZV-SYS.mdb): the production path and the
-- administrator's password. One row, which the build tool inserts with the
-- initial password scrambled by the same routine the login uses.
--
-- Pswd keeps binary collation: the scrambled text holds control characters
-- and passwords are case-sensitive.
CREATE TABLE ZV_SYS (
    DB_Path VARCHAR(255) COLLATE NOCASE,
    Pswd    VARCHAR(22)
);
