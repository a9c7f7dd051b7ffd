-- Metadata of the general filter, one block per screen key.
--
-- sys_Qury_Fltr gives the SELECT list (Clmn_Name AS [Disp_Name]) and the
-- filter fields; sys_grid_fltr gives, row for row in Clmn_Ordr order, the
-- criterion kind and the grid column. Kinds: 'T' a text field matched as
-- "begins with", 'DT' a date picker matched on the day, 'TFT' a key column
-- with no visible field (its text box has Feld_Left 0) and a hidden grid
-- column (VIsible 1, blank caption). The first row is never a date.
-- Positions and widths are twips; the first visible field row sits at 840,
-- each further one 450 lower.
--
-- Result elements the callers read (0-based): F011, F012, HOLDAY, ACTMASTAS
-- and PROJ the key in 0 (and the name or year in 1); EMP the employee key
-- in 4; MNGREMP the manager's login name in 1 and the mapping key in 3.
-- Every row of a table names it the same way, alias included, since each
-- distinct Tble_Name enters the FROM list once.

INSERT INTO sys_Qury_Fltr (Scrn_Name, Scrn_Capn, Tble_Name, Clmn_Name, Disp_Name, User_Cntrl,
                           Capn_Top, Capn_Left, Feld_Top, Feld_Left, Feld_Widt, Clmn_Ordr, Data_Type, Feld_Leng)
VALUES
    -- Department master
    ('F011', 'Department Selection', 'Dept_Mast', 'Sys_Dept_Num', 'Sys_Dept_Num', 'TFT', 0, 0, 0, 0, 0, 1, 'INTEGER', 10),
    ('F011', 'Department Selection', 'Dept_Mast', 'Dept_Desc', 'Department Name', 'T', 840, 600, 840, 2700, 4200, 2, 'TEXT', 40),

    -- Designation master
    ('F012', 'Designation Selection', 'Desg_Mast', 'Sys_Desg_Num', 'Sys_Desg_Num', 'TFT', 0, 0, 0, 0, 0, 1, 'INTEGER', 10),
    ('F012', 'Designation Selection', 'Desg_Mast', 'Desg_Name', 'Designation Name', 'T', 840, 600, 840, 2700, 4200, 2, 'TEXT', 40),

    -- Employee master; the caller joins em, dm and dp
    ('EMP', 'Employee Selection', 'Emp_Mast em', 'em.Emp_Num', 'Employee No', 'T', 840, 600, 840, 2700, 1500, 1, 'TEXT', 10),
    ('EMP', 'Employee Selection', 'Emp_Mast em', 'em.Emp_Name', 'Employee Name', 'T', 1290, 600, 1290, 2700, 4200, 2, 'TEXT', 40),
    ('EMP', 'Employee Selection', 'Desg_Mast dm', 'dm.Desg_Name', 'Designation', 'T', 1740, 600, 1740, 2700, 4200, 3, 'TEXT', 40),
    ('EMP', 'Employee Selection', 'Dept_Mast dp', 'dp.Dept_Desc', 'Department', 'T', 2190, 600, 2190, 2700, 4200, 4, 'TEXT', 40),
    ('EMP', 'Employee Selection', 'Emp_Mast em', 'em.Sys_Emp_Num', 'Sys_Emp_Num', 'TFT', 0, 0, 0, 0, 0, 5, 'INTEGER', 10),
    ('EMP', 'Employee Selection', 'Emp_Mast em', 'em.Emp_Shrt_Name', 'Login Name', 'T', 2640, 600, 2640, 2700, 1200, 6, 'TEXT', 8),

    -- Holiday list
    ('HOLDAY', 'Holiday List Selection', 'Holday_List_Hdr', 'Sys_Holday_List_Num', 'Sys_Holday_List_Num', 'TFT', 0, 0, 0, 0, 0, 1, 'INTEGER', 10),
    ('HOLDAY', 'Holiday List Selection', 'Holday_List_Hdr', 'Fincl_Year', 'Year', 'T', 840, 600, 840, 2700, 900, 2, 'INTEGER', 4),

    -- Employee-manager relationship; the caller joins HD, EM and DM
    ('MNGREMP', 'Employee-Manager Selection', 'Emp_Mast EM', 'EM.Emp_Name', 'Manager Name', 'T', 840, 600, 840, 2700, 4200, 1, 'TEXT', 40),
    ('MNGREMP', 'Employee-Manager Selection', 'Emp_Mast EM', 'EM.Emp_Shrt_Name', 'Login Name', 'T', 1290, 600, 1290, 2700, 1200, 2, 'TEXT', 8),
    ('MNGREMP', 'Employee-Manager Selection', 'Desg_Mast DM', 'DM.Desg_Name', 'Designation', 'T', 1740, 600, 1740, 2700, 4200, 3, 'TEXT', 40),
    ('MNGREMP', 'Employee-Manager Selection', 'Emp_Spvr_Mapg_Hdr HD', 'HD.Sys_Mapg_Num', 'Sys_Mapg_Num', 'TFT', 0, 0, 0, 0, 0, 4, 'INTEGER', 10),

    -- Activity master
    ('ACTMASTAS', 'Activity Selection', 'Actvty_Mast', 'Sys_Actvty_Num', 'Sys_Actvty_Num', 'TFT', 0, 0, 0, 0, 0, 1, 'INTEGER', 10),
    ('ACTMASTAS', 'Activity Selection', 'Actvty_Mast', 'Entry_Date', 'Date Of Entry', 'DT', 840, 600, 840, 2700, 1335, 2, 'DATETIME', 11),
    ('ACTMASTAS', 'Activity Selection', 'Actvty_Mast', 'Actvty_Desc', 'Activity Description', 'T', 1290, 600, 1290, 2700, 4800, 3, 'TEXT', 100),
    ('ACTMASTAS', 'Activity Selection', 'Actvty_Mast', 'Remk', 'Remarks', 'T', 1740, 600, 1740, 2700, 4800, 4, 'TEXT', 255),

    -- Company master (no form opens the filter on it today)
    ('PROJ', 'Company Selection', 'Cmpny_Mast', 'Sys_Cmpny_Num', 'Sys_Cmpny_Num', 'TFT', 0, 0, 0, 0, 0, 1, 'INTEGER', 10),
    ('PROJ', 'Company Selection', 'Cmpny_Mast', 'Cmpny_Name', 'Company Name', 'T', 840, 600, 840, 2700, 4800, 2, 'TEXT', 50),
    ('PROJ', 'Company Selection', 'Cmpny_Mast', 'City', 'City', 'T', 1290, 600, 1290, 2700, 4200, 3, 'TEXT', 40),
    ('PROJ', 'Company Selection', 'Cmpny_Mast', 'Cntry', 'Country', 'T', 1740, 600, 1740, 2700, 4200, 4, 'TEXT', 40);

INSERT INTO sys_grid_fltr (Scrn_Name, Feld_Name, User_Cntrl, Clmn_Capn, Clmn_Ordr, Clmn_Size, Data_Type, VIsible)
VALUES
    ('F011', 'Sys_Dept_Num', 'TFT', '', 1, 0, 'INTEGER', 1),
    ('F011', 'Dept_Desc', 'T', 'Department Name', 2, 4500, 'TEXT', 0),

    ('F012', 'Sys_Desg_Num', 'TFT', '', 1, 0, 'INTEGER', 1),
    ('F012', 'Desg_Name', 'T', 'Designation Name', 2, 4500, 'TEXT', 0),

    ('EMP', 'Emp_Num', 'T', 'Employee No', 1, 1400, 'TEXT', 0),
    ('EMP', 'Emp_Name', 'T', 'Employee Name', 2, 3000, 'TEXT', 0),
    ('EMP', 'Desg_Name', 'T', 'Designation', 3, 2200, 'TEXT', 0),
    ('EMP', 'Dept_Desc', 'T', 'Department', 4, 2200, 'TEXT', 0),
    ('EMP', 'Sys_Emp_Num', 'TFT', '', 5, 0, 'INTEGER', 1),
    ('EMP', 'Emp_Shrt_Name', 'T', 'Login Name', 6, 1300, 'TEXT', 0),

    ('HOLDAY', 'Sys_Holday_List_Num', 'TFT', '', 1, 0, 'INTEGER', 1),
    ('HOLDAY', 'Fincl_Year', 'T', 'Year', 2, 1500, 'INTEGER', 0),

    ('MNGREMP', 'Emp_Name', 'T', 'Manager Name', 1, 3500, 'TEXT', 0),
    ('MNGREMP', 'Emp_Shrt_Name', 'T', 'Login Name', 2, 1400, 'TEXT', 0),
    ('MNGREMP', 'Desg_Name', 'T', 'Designation', 3, 2500, 'TEXT', 0),
    ('MNGREMP', 'Sys_Mapg_Num', 'TFT', '', 4, 0, 'INTEGER', 1),

    ('ACTMASTAS', 'Sys_Actvty_Num', 'TFT', '', 1, 0, 'INTEGER', 1),
    ('ACTMASTAS', 'Entry_Date', 'DT', 'Date Of Entry', 2, 1500, 'DATETIME', 0),
    ('ACTMASTAS', 'Actvty_Desc', 'T', 'Activity Description', 3, 4500, 'TEXT', 0),
    ('ACTMASTAS', 'Remk', 'T', 'Remarks', 4, 4000, 'TEXT', 0),

    ('PROJ', 'Sys_Cmpny_Num', 'TFT', '', 1, 0, 'INTEGER', 1),
    ('PROJ', 'Cmpny_Name', 'T', 'Company Name', 2, 4500, 'TEXT', 0),
    ('PROJ', 'City', 'T', 'City', 3, 2500, 'TEXT', 0),
    ('PROJ', 'Cntry', 'T', 'Country', 4, 2500, 'TEXT', 0);
