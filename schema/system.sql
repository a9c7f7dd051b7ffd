-- System database: the production path and the administrator's password.
CREATE TABLE ZV_SYS (
    DB_Path TEXT COLLATE NOCASE,
    Pswd    TEXT
);
