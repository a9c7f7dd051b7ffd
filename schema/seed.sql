INSERT INTO Parm (DB_Check, start_period, end_period) VALUES ('ZORVANE', '2026-04-01', '2027-03-31');
