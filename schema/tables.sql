-- Template database (SysData/ZV-ORG.mdb); the production database
-- (Data/ZV-DATA.mdb) starts as a copy of it.
--
-- Conventions (docs/SCHEMA.md):
--  * text columns compare without regard to case (COLLATE NOCASE); the
--    declared widths are the longest values the forms accept, not enforced;
--  * AutoNumber keys are INTEGER PRIMARY KEY AUTOINCREMENT;
--  * dates are ISO text 'YYYY-MM-DD' and nothing else: every date column
--    refuses other text, so a date written in display form fails at once;
--  * foreign keys without cascade: a row that others refer to cannot be
--    deleted; dependants are deleted first, in the order the forms use.

------------------------------------------------------------------------
-- Shipped reference and metadata tables
------------------------------------------------------------------------

-- One row: identity value and transaction period.
CREATE TABLE Parm (
    DB_Check         VARCHAR(20) COLLATE NOCASE,
    Start_Period     TEXT CHECK (Start_Period IS NULL OR date(Start_Period, '+0 days') IS Start_Period),
    End_Period       TEXT CHECK (End_Period IS NULL OR date(End_Period, '+0 days') IS End_Period),
    Upld_Inv_Log_dir VARCHAR(255) COLLATE NOCASE
);

-- Coded status messages shown in the forms' footers.
CREATE TABLE Err_Msg (
    Err_Code VARCHAR(6) COLLATE NOCASE NOT NULL PRIMARY KEY,
    Err_Msg  VARCHAR(255) COLLATE NOCASE,
    Err_Type VARCHAR(1) COLLATE NOCASE
);

-- General filter: filter fields and SELECT list per screen key.
CREATE TABLE sys_Qury_Fltr (
    Scrn_Name  VARCHAR(20) COLLATE NOCASE NOT NULL,
    Scrn_Capn  VARCHAR(80) COLLATE NOCASE,
    Tble_Name  VARCHAR(80) COLLATE NOCASE,
    Clmn_Name  VARCHAR(120) COLLATE NOCASE,
    Disp_Name  VARCHAR(50) COLLATE NOCASE,
    User_Cntrl VARCHAR(5) COLLATE NOCASE,
    Capn_Top   INTEGER,
    Capn_Left  INTEGER,
    Feld_Top   INTEGER,
    Feld_Left  INTEGER,
    Feld_Widt  INTEGER,
    Clmn_Ordr  INTEGER NOT NULL,
    Data_Type  VARCHAR(10) COLLATE NOCASE,
    Feld_Leng  INTEGER,
    PRIMARY KEY (Scrn_Name, Clmn_Ordr)
);

-- General filter: grid columns and criterion kinds per screen key, paired
-- by position with sys_Qury_Fltr.
CREATE TABLE sys_grid_fltr (
    Scrn_Name  VARCHAR(20) COLLATE NOCASE NOT NULL,
    Feld_Name  VARCHAR(50) COLLATE NOCASE,
    User_Cntrl VARCHAR(5) COLLATE NOCASE,
    Clmn_Capn  VARCHAR(50) COLLATE NOCASE,
    Clmn_Ordr  INTEGER NOT NULL,
    Clmn_Size  REAL,
    Data_Type  VARCHAR(10) COLLATE NOCASE,
    VIsible    INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (Scrn_Name, Clmn_Ordr)
);

-- Constants: frequencies ('FQ') and months ('MN', keys 1 to 12).
CREATE TABLE Sys_Const (
    Sys_Const_Num   INTEGER PRIMARY KEY AUTOINCREMENT,
    Scrn_Const_Desc VARCHAR(50) COLLATE NOCASE,
    SCRN_SHRT_NAME  VARCHAR(10) COLLATE NOCASE
);

------------------------------------------------------------------------
-- Organisation masters
------------------------------------------------------------------------

CREATE TABLE Dept_Mast (
    Sys_Dept_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Dept_Desc    VARCHAR(40) COLLATE NOCASE,
    Edit_Allow   INTEGER NOT NULL DEFAULT 0      -- 1: protected row
);

CREATE TABLE Desg_Mast (
    Sys_Desg_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Desg_Name    VARCHAR(40) COLLATE NOCASE,
    Edit_Allow   INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Emp_Mast (
    Sys_Emp_Num   INTEGER PRIMARY KEY AUTOINCREMENT,
    Emp_Num       VARCHAR(10) COLLATE NOCASE,
    Emp_Name      VARCHAR(40) COLLATE NOCASE,
    Sys_Desg_Num  INTEGER NOT NULL REFERENCES Desg_Mast (Sys_Desg_Num),
    Sys_Dept_Num  INTEGER NOT NULL REFERENCES Dept_Mast (Sys_Dept_Num),
    Email_ID      VARCHAR(40) COLLATE NOCASE,
    Emp_Shrt_Name VARCHAR(8) COLLATE NOCASE,     -- login name
    Pswd          VARCHAR(10),                   -- scrambled, case-sensitive
    Is_Modify     VARCHAR(10) COLLATE NOCASE DEFAULT ''
);
CREATE INDEX Emp_Mast_Desg ON Emp_Mast (Sys_Desg_Num);
CREATE INDEX Emp_Mast_Dept ON Emp_Mast (Sys_Dept_Num);

-- One row by convention; the form offers Add only while the table is empty.
CREATE TABLE Cmpny_Mast (
    Sys_Cmpny_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Cmpny_Name    VARCHAR(50) COLLATE NOCASE,
    Addr_Line1    VARCHAR(40) COLLATE NOCASE,
    Addr_Line2    VARCHAR(40) COLLATE NOCASE,
    City          VARCHAR(40) COLLATE NOCASE,
    State         VARCHAR(40) COLLATE NOCASE,
    Cntry         VARCHAR(40) COLLATE NOCASE,
    Zip_Code      VARCHAR(20) COLLATE NOCASE,
    Phone_Num     VARCHAR(20) COLLATE NOCASE,
    Fax_Num       VARCHAR(20) COLLATE NOCASE,
    Wsite_Addr    VARCHAR(80) COLLATE NOCASE,
    Sys_Lock_Num  INTEGER                        -- the row's own key
);

CREATE TABLE Holday_List_Hdr (
    Sys_Holday_List_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Fincl_Year          INTEGER                  -- calendar year
);

CREATE TABLE Holday_List_Det (
    Sys_Holday_List_Num      INTEGER NOT NULL REFERENCES Holday_List_Hdr (Sys_Holday_List_Num),
    Sys_Holday_List_Line_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Holday_Date              TEXT CHECK (Holday_Date IS NULL OR date(Holday_Date, '+0 days') IS Holday_Date),
    Holday_Desc              VARCHAR(50) COLLATE NOCASE
);
CREATE INDEX Holday_List_Det_Hdr ON Holday_List_Det (Sys_Holday_List_Num);
CREATE INDEX Holday_List_Det_Date ON Holday_List_Det (Holday_Date);

CREATE TABLE Emp_Spvr_Mapg_Hdr (
    Sys_Mapg_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Sys_Emp_Num  INTEGER NOT NULL REFERENCES Emp_Mast (Sys_Emp_Num)   -- the manager
);
CREATE INDEX Emp_Spvr_Mapg_Hdr_Emp ON Emp_Spvr_Mapg_Hdr (Sys_Emp_Num);

CREATE TABLE Emp_Spvr_Mapg_Det (
    Sys_Mapg_Num      INTEGER NOT NULL REFERENCES Emp_Spvr_Mapg_Hdr (Sys_Mapg_Num),
    Sys_Mapg_Line_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Sys_Emp_Num       INTEGER NOT NULL REFERENCES Emp_Mast (Sys_Emp_Num)
);
CREATE INDEX Emp_Spvr_Mapg_Det_Mapg ON Emp_Spvr_Mapg_Det (Sys_Mapg_Num);
CREATE INDEX Emp_Spvr_Mapg_Det_Emp ON Emp_Spvr_Mapg_Det (Sys_Emp_Num);

------------------------------------------------------------------------
-- Activities
------------------------------------------------------------------------

CREATE TABLE Actvty_Mast (
    Sys_Actvty_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Entry_Date     TEXT CHECK (Entry_Date IS NULL OR date(Entry_Date, '+0 days') IS Entry_Date),
    Actvty_Desc    VARCHAR(100) COLLATE NOCASE,
    Remk           VARCHAR(255) COLLATE NOCASE,
    Sys_Lock_Num   INTEGER                       -- the row's own key
);

CREATE TABLE Actvty_Mast_Det (
    Sys_Actvty_Num      INTEGER NOT NULL REFERENCES Actvty_Mast (Sys_Actvty_Num),
    Sys_Actvty_Line_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Sys_Dept_Num        INTEGER NOT NULL REFERENCES Dept_Mast (Sys_Dept_Num),
    Sys_Emp_Num         INTEGER NOT NULL REFERENCES Emp_Mast (Sys_Emp_Num),
    Start_Date          TEXT CHECK (Start_Date IS NULL OR date(Start_Date, '+0 days') IS Start_Date),
    End_Date            TEXT CHECK (End_Date IS NULL OR date(End_Date, '+0 days') IS End_Date),
    Last_Gnrtd_Date     TEXT CHECK (Last_Gnrtd_Date IS NULL OR date(Last_Gnrtd_Date, '+0 days') IS Last_Gnrtd_Date),
    Sys_Const_Num       INTEGER,                 -- frequency (Sys_Const, 'FQ')
    Assign_By           INTEGER NOT NULL DEFAULT 0   -- 0: the administrator, else Sys_Emp_Num
);
CREATE INDEX Actvty_Mast_Det_Actvty ON Actvty_Mast_Det (Sys_Actvty_Num);
CREATE INDEX Actvty_Mast_Det_Dept ON Actvty_Mast_Det (Sys_Dept_Num);
CREATE INDEX Actvty_Mast_Det_Emp ON Actvty_Mast_Det (Sys_Emp_Num);

-- Frequency rule rows; a column a rule shape leaves out stays 0.
CREATE TABLE Actvty_Mast_Freq (
    Sys_Actvty_Num      INTEGER NOT NULL REFERENCES Actvty_Mast (Sys_Actvty_Num),
    Sys_Actvty_Line_Num INTEGER NOT NULL REFERENCES Actvty_Mast_Det (Sys_Actvty_Line_Num),
    Sys_Actvty_Freq_num INTEGER PRIMARY KEY AUTOINCREMENT,
    Mnth                INTEGER DEFAULT 0,
    Dow                 INTEGER DEFAULT 0,
    Days                INTEGER DEFAULT 0
);
CREATE INDEX Actvty_Mast_Freq_Actvty ON Actvty_Mast_Freq (Sys_Actvty_Num);
CREATE INDEX Actvty_Mast_Freq_Line ON Actvty_Mast_Freq (Sys_Actvty_Line_Num);

------------------------------------------------------------------------
-- Tables of the employees' program (this program reads them, and deletes
-- schedule entries with their activity or line)
------------------------------------------------------------------------

-- Schedule entries.
CREATE TABLE Statry_Cmpltd_Entry (
    Sys_Entry_Num       INTEGER PRIMARY KEY AUTOINCREMENT,
    Sys_Actvty_Num      INTEGER NOT NULL REFERENCES Actvty_Mast (Sys_Actvty_Num),
    Sys_Actvty_Line_Num INTEGER NOT NULL REFERENCES Actvty_Mast_Det (Sys_Actvty_Line_Num),
    Sys_Emp_Num         INTEGER NOT NULL REFERENCES Emp_Mast (Sys_Emp_Num),
    Expctd_Date         TEXT CHECK (Expctd_Date IS NULL OR date(Expctd_Date, '+0 days') IS Expctd_Date),
    Cmpltd_Date         TEXT CHECK (Cmpltd_Date IS NULL OR date(Cmpltd_Date, '+0 days') IS Cmpltd_Date),
    Not_Needed          INTEGER DEFAULT 0,       -- 1: not needed
    Remk                VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX Statry_Cmpltd_Entry_Actvty ON Statry_Cmpltd_Entry (Sys_Actvty_Num);
-- By line and date: the latest expected date of a line is read from the index alone.
CREATE INDEX Statry_Cmpltd_Entry_Line ON Statry_Cmpltd_Entry (Sys_Actvty_Line_Num, Expctd_Date);
-- The reports choose entries by their month.
CREATE INDEX Statry_Cmpltd_Entry_Date ON Statry_Cmpltd_Entry (Expctd_Date);
CREATE INDEX Statry_Cmpltd_Entry_Emp ON Statry_Cmpltd_Entry (Sys_Emp_Num);

-- Monthly allocations. Sys_Const_Num is the month, 1 to 12.
CREATE TABLE actvty_mnth_hdr (
    Sys_Afm_Num   INTEGER PRIMARY KEY AUTOINCREMENT,
    Sys_Const_Num INTEGER,
    Sys_Emp_Num   INTEGER NOT NULL REFERENCES Emp_Mast (Sys_Emp_Num),
    Sys_Lock      INTEGER,
    yr            INTEGER
);
CREATE INDEX actvty_mnth_hdr_Emp ON actvty_mnth_hdr (Sys_Emp_Num);

-- Day1 .. Day31 hold '*' on the days work is allocated.
CREATE TABLE actvty_mnth_det (
    Sys_Afm_Num      INTEGER,
    Sys_Afm_Line_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Actvty_Desc      VARCHAR(100) COLLATE NOCASE,
    Actvty_Type      VARCHAR(10) COLLATE NOCASE,
    Almnt_Date       TEXT CHECK (Almnt_Date IS NULL OR date(Almnt_Date, '+0 days') IS Almnt_Date),
    Day1  VARCHAR(1) COLLATE NOCASE, Day2  VARCHAR(1) COLLATE NOCASE, Day3  VARCHAR(1) COLLATE NOCASE,
    Day4  VARCHAR(1) COLLATE NOCASE, Day5  VARCHAR(1) COLLATE NOCASE, Day6  VARCHAR(1) COLLATE NOCASE,
    Day7  VARCHAR(1) COLLATE NOCASE, Day8  VARCHAR(1) COLLATE NOCASE, Day9  VARCHAR(1) COLLATE NOCASE,
    Day10 VARCHAR(1) COLLATE NOCASE, Day11 VARCHAR(1) COLLATE NOCASE, Day12 VARCHAR(1) COLLATE NOCASE,
    Day13 VARCHAR(1) COLLATE NOCASE, Day14 VARCHAR(1) COLLATE NOCASE, Day15 VARCHAR(1) COLLATE NOCASE,
    Day16 VARCHAR(1) COLLATE NOCASE, Day17 VARCHAR(1) COLLATE NOCASE, Day18 VARCHAR(1) COLLATE NOCASE,
    Day19 VARCHAR(1) COLLATE NOCASE, Day20 VARCHAR(1) COLLATE NOCASE, Day21 VARCHAR(1) COLLATE NOCASE,
    Day22 VARCHAR(1) COLLATE NOCASE, Day23 VARCHAR(1) COLLATE NOCASE, Day24 VARCHAR(1) COLLATE NOCASE,
    Day25 VARCHAR(1) COLLATE NOCASE, Day26 VARCHAR(1) COLLATE NOCASE, Day27 VARCHAR(1) COLLATE NOCASE,
    Day28 VARCHAR(1) COLLATE NOCASE, Day29 VARCHAR(1) COLLATE NOCASE, Day30 VARCHAR(1) COLLATE NOCASE,
    Day31 VARCHAR(1) COLLATE NOCASE,
    Offcl_Persnl     VARCHAR(1) COLLATE NOCASE,  -- 'O' official, 'P' personal
    Remk             VARCHAR(255) COLLATE NOCASE,
    Sys_Const_Num    INTEGER,
    Trans_Type       VARCHAR(1) COLLATE NOCASE
);
CREATE INDEX actvty_mnth_det_Hdr ON actvty_mnth_det (Sys_Afm_Num);

-- Target-dated allotments.
CREATE TABLE actvty_target_hdr (
    Sys_Awt_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Sys_Emp_Num INTEGER NOT NULL REFERENCES Emp_Mast (Sys_Emp_Num)
);
CREATE INDEX actvty_target_hdr_Emp ON actvty_target_hdr (Sys_Emp_Num);

CREATE TABLE actvty_target_det (
    Sys_Awt_Num      INTEGER,
    Sys_Awt_Line_Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Almnt_Date       TEXT CHECK (Almnt_Date IS NULL OR date(Almnt_Date, '+0 days') IS Almnt_Date),
    Start_Date       TEXT CHECK (Start_Date IS NULL OR date(Start_Date, '+0 days') IS Start_Date),
    Actvty_Desc      VARCHAR(100) COLLATE NOCASE,
    Offcl_Persnl     VARCHAR(1) COLLATE NOCASE,
    Target_Date      TEXT CHECK (Target_Date IS NULL OR date(Target_Date, '+0 days') IS Target_Date),
    Cmplt_date       TEXT CHECK (Cmplt_date IS NULL OR date(Cmplt_date, '+0 days') IS Cmplt_date),
    Remk             VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX actvty_target_det_Hdr ON actvty_target_det (Sys_Awt_Num);

------------------------------------------------------------------------
-- Temporary report tables
------------------------------------------------------------------------

-- Monthly checklist rows, per user (User_ID).
CREATE TABLE temp_mchklist (
    User_ID        VARCHAR(20) COLLATE NOCASE,
    Sys_const_num  INTEGER,
    yr             INTEGER,
    Mnth           INTEGER,
    Actvty_desc    VARCHAR(100) COLLATE NOCASE,
    Remk           VARCHAR(255) COLLATE NOCASE,
    Sys_afm_num    INTEGER,
    Emp_Name       VARCHAR(40) COLLATE NOCASE,
    Trans_type     VARCHAR(1) COLLATE NOCASE,
    Offcl_Persnl   VARCHAR(1) COLLATE NOCASE,
    almnt_date     TEXT CHECK (almnt_date IS NULL OR date(almnt_date, '+0 days') IS almnt_date),
    P1  VARCHAR(1) COLLATE NOCASE, P2  VARCHAR(1) COLLATE NOCASE, P3  VARCHAR(1) COLLATE NOCASE,
    P4  VARCHAR(1) COLLATE NOCASE, P5  VARCHAR(1) COLLATE NOCASE, P6  VARCHAR(1) COLLATE NOCASE,
    P7  VARCHAR(1) COLLATE NOCASE, P8  VARCHAR(1) COLLATE NOCASE, P9  VARCHAR(1) COLLATE NOCASE,
    P10 VARCHAR(1) COLLATE NOCASE, P11 VARCHAR(1) COLLATE NOCASE, P12 VARCHAR(1) COLLATE NOCASE,
    P13 VARCHAR(1) COLLATE NOCASE, P14 VARCHAR(1) COLLATE NOCASE, P15 VARCHAR(1) COLLATE NOCASE,
    P16 VARCHAR(1) COLLATE NOCASE, P17 VARCHAR(1) COLLATE NOCASE, P18 VARCHAR(1) COLLATE NOCASE,
    P19 VARCHAR(1) COLLATE NOCASE, P20 VARCHAR(1) COLLATE NOCASE, P21 VARCHAR(1) COLLATE NOCASE,
    P22 VARCHAR(1) COLLATE NOCASE, P23 VARCHAR(1) COLLATE NOCASE, P24 VARCHAR(1) COLLATE NOCASE,
    P25 VARCHAR(1) COLLATE NOCASE, P26 VARCHAR(1) COLLATE NOCASE, P27 VARCHAR(1) COLLATE NOCASE,
    P28 VARCHAR(1) COLLATE NOCASE, P29 VARCHAR(1) COLLATE NOCASE, P30 VARCHAR(1) COLLATE NOCASE,
    P31 VARCHAR(1) COLLATE NOCASE,
    Sys_Emp_Num    INTEGER,
    A1  VARCHAR(1) COLLATE NOCASE, A2  VARCHAR(1) COLLATE NOCASE, A3  VARCHAR(1) COLLATE NOCASE,
    A4  VARCHAR(1) COLLATE NOCASE, A5  VARCHAR(1) COLLATE NOCASE, A6  VARCHAR(1) COLLATE NOCASE,
    A7  VARCHAR(1) COLLATE NOCASE, A8  VARCHAR(1) COLLATE NOCASE, A9  VARCHAR(1) COLLATE NOCASE,
    A10 VARCHAR(1) COLLATE NOCASE, A11 VARCHAR(1) COLLATE NOCASE, A12 VARCHAR(1) COLLATE NOCASE,
    A13 VARCHAR(1) COLLATE NOCASE, A14 VARCHAR(1) COLLATE NOCASE, A15 VARCHAR(1) COLLATE NOCASE,
    A16 VARCHAR(1) COLLATE NOCASE, A17 VARCHAR(1) COLLATE NOCASE, A18 VARCHAR(1) COLLATE NOCASE,
    A19 VARCHAR(1) COLLATE NOCASE, A20 VARCHAR(1) COLLATE NOCASE, A21 VARCHAR(1) COLLATE NOCASE,
    A22 VARCHAR(1) COLLATE NOCASE, A23 VARCHAR(1) COLLATE NOCASE, A24 VARCHAR(1) COLLATE NOCASE,
    A25 VARCHAR(1) COLLATE NOCASE, A26 VARCHAR(1) COLLATE NOCASE, A27 VARCHAR(1) COLLATE NOCASE,
    A28 VARCHAR(1) COLLATE NOCASE, A29 VARCHAR(1) COLLATE NOCASE, A30 VARCHAR(1) COLLATE NOCASE,
    A31 VARCHAR(1) COLLATE NOCASE,
    Actvty_date    TEXT CHECK (Actvty_date IS NULL OR date(Actvty_date, '+0 days') IS Actvty_date),
    Scrn_shrt_name VARCHAR(10) COLLATE NOCASE
);
CREATE INDEX temp_mchklist_User ON temp_mchklist (User_ID);

-- Diarized report rows, per opening of the report form (Id). D2004 to D2008
-- are the completion dates of the run's five years, first to last; the
-- report's column titles name the years.
CREATE TABLE Temp_Year (
    Serl_Num    INTEGER,
    Start_Date  TEXT CHECK (Start_Date IS NULL OR date(Start_Date, '+0 days') IS Start_Date),
    Emp_Name    VARCHAR(40) COLLATE NOCASE,
    Actvty_Desc VARCHAR(100) COLLATE NOCASE,
    D2004       TEXT CHECK (D2004 IS NULL OR date(D2004, '+0 days') IS D2004),
    D2005       TEXT CHECK (D2005 IS NULL OR date(D2005, '+0 days') IS D2005),
    D2006       TEXT CHECK (D2006 IS NULL OR date(D2006, '+0 days') IS D2006),
    D2007       TEXT CHECK (D2007 IS NULL OR date(D2007, '+0 days') IS D2007),
    D2008       TEXT CHECK (D2008 IS NULL OR date(D2008, '+0 days') IS D2008),
    Id          VARCHAR(14) COLLATE NOCASE
);
CREATE INDEX Temp_Year_Id ON Temp_Year (Id);

------------------------------------------------------------------------
-- Key generator, administrator list and security tables of the shared
-- record helpers; no form uses them, they ship empty.
------------------------------------------------------------------------

CREATE TABLE key_Mast (
    TBLE_NAME VARCHAR(50) COLLATE NOCASE NOT NULL,
    PRFX      VARCHAR(10) COLLATE NOCASE NOT NULL DEFAULT '',
    CRNT_VAL  INTEGER NOT NULL DEFAULT 0,
    FELD_LENG INTEGER,
    FELD_NAME VARCHAR(50) COLLATE NOCASE NOT NULL,
    PRIMARY KEY (TBLE_NAME, FELD_NAME, PRFX)
);

CREATE TABLE adm_parm (
    admn_emp_num VARCHAR(20) COLLATE NOCASE
);

CREATE TABLE SCRTY_DESC_MAST (
    code  VARCHAR(10) COLLATE NOCASE PRIMARY KEY,
    descr VARCHAR(80) COLLATE NOCASE
);

CREATE TABLE EMP_LEVEL_SCRTY (
    Sys_EMP_NUM INTEGER,
    LEVEL1      VARCHAR(10) COLLATE NOCASE,
    LEVEL2      VARCHAR(10) COLLATE NOCASE,
    LEVEL3      VARCHAR(10) COLLATE NOCASE,
    LEVEL4      VARCHAR(10) COLLATE NOCASE,
    LEVEL5      VARCHAR(10) COLLATE NOCASE,
    PRMSN       VARCHAR(1) COLLATE NOCASE
);
