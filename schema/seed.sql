-- Shipped rows of the template: identity and transaction period, constants.

-- The financial year April to March that was current when the template was
-- made; the administrator moves it on with the transaction-period form.
INSERT INTO Parm (DB_Check, Start_Period, End_Period, Upld_Inv_Log_dir)
VALUES ('ZORVANE', '2026-04-01', '2027-03-31', '');

-- Months: their keys are the month numbers, since the monthly allocations
-- refer to them by number as well as by name.
INSERT INTO Sys_Const (Sys_Const_Num, Scrn_Const_Desc, SCRN_SHRT_NAME) VALUES
    (1, 'January', 'MN'), (2, 'February', 'MN'), (3, 'March', 'MN'),
    (4, 'April', 'MN'), (5, 'May', 'MN'), (6, 'June', 'MN'),
    (7, 'July', 'MN'), (8, 'August', 'MN'), (9, 'September', 'MN'),
    (10, 'October', 'MN'), (11, 'November', 'MN'), (12, 'December', 'MN');

-- Frequencies. The activity master picks the kind of rule by the position
-- of the frequency in the list ordered by description, so these four must
-- sort exactly in this order: chosen dates of chosen months, no rule (every
-- day), dates or nth weekdays of the month, days of the week.
INSERT INTO Sys_Const (Sys_Const_Num, Scrn_Const_Desc, SCRN_SHRT_NAME) VALUES
    (13, 'Ad-Hoc', 'FQ'),
    (14, 'Daily', 'FQ'),
    (15, 'Monthly', 'FQ'),
    (16, 'Weekly', 'FQ');
