-- Template and production databases.
CREATE TABLE Parm (
    DB_Check     TEXT COLLATE NOCASE,
    start_period TEXT,
    end_period   TEXT
);
