-- Coded status messages. The footer shows
--   code " - " prefix " " message " " suffix
-- so each text is written to read between the prefixes and suffixes its
-- callers pass: a subject before "already exists", "cannot be blank", ...,
-- and a field name after "Please enter a valid", "cannot be later than".
-- Types: S done, W refused (warning, red), I information, E failure.

INSERT INTO Err_Msg (Err_Code, Err_Msg, Err_Type) VALUES
    -- outcomes of a save or a delete
    ('ZVE002', 'The changes have been saved', 'S'),
    ('ZVE003', 'The record has been saved', 'S'),
    ('ZVE004', 'The record could not be saved', 'E'),
    ('ZVE008', 'The record has been deleted', 'S'),

    -- "<subject> ..."
    ('ZVE006', 'already exists', 'W'),
    ('ZVE007', 'cannot be blank', 'W'),
    ('ZVE164', 'cannot be blank', 'W'),
    ('ZVE165', 'has to be selected', 'W'),
    ('ZVE119', 'has to be selected', 'W'),
    ('ZVE128', 'must be entered', 'W'),
    ('DB128', 'must be entered', 'W'),
    ('ZVE130', 'is not a valid time', 'W'),
    ('DB130', 'is not a valid time', 'W'),
    ('KRE024', 'has to be selected (choose at least one)', 'W'),

    -- "<subject> ... <field compared with>"
    ('ZVE019', 'cannot be later than', 'W'),
    ('ZVE029', 'cannot be earlier than', 'W'),

    -- "... <Date | Year | Month>"
    ('ZVE009', 'Please enter a valid', 'W'),

    -- invalid dates, shown alone or after "Invalid Date"
    ('ZVE129', 'Please enter a valid date', 'W'),
    ('DB129', 'Please enter a valid date', 'W'),

    -- records changed or held by someone else; ZVE034 may follow
    -- "Cannot modify." or "Cannot delete,"
    ('ZVE011', 'The record has already been deleted by another user', 'W'),
    ('ZVE027', 'The record is in use by another user and cannot be modified now', 'W'),
    ('ZVE028', 'The record is in use by another user and cannot be deleted now', 'W'),
    ('ZVE034', 'The record no longer exists; another user may have deleted it', 'W'),
    ('ZVE035', 'The record could not be modified; another user may have changed or deleted it', 'W'),

    -- refusals of the masters and the activity master
    ('ZVE013', 'The record of the employee who is logged in cannot be deleted', 'W'),
    ('ZVE014', 'Cannot delete: completed work has already been recorded against it', 'W'),
    ('ZVE021', 'Password and Confirm Password do not match', 'W'),
    ('ZVE022', 'Password must be at least 4 characters long', 'W'),
    ('ZVE030', 'Cannot delete: other records refer to this record', 'W'),
    ('ZVE041', 'Work has been allocated to employees on this date: click the calendar picture to see it, or press Ok again to go on', 'W'),
    ('ZVE145', 'The date does not lie in the year of this holiday list', 'W'),
    ('ZVE157', 'The chosen employee reports to this mapping and cannot be its manager', 'W'),
    ('ZVE158', 'The chosen employee is the manager of this mapping and cannot report to it', 'W'),
    ('ZVE160', 'This record is protected and cannot be modified', 'W'),
    ('ZVE161', 'This record is protected and cannot be deleted', 'W'),
    ('ZVE166', 'ADMIN is reserved and cannot be used as a Login Name', 'W'),
    ('ZVE175', 'The dates overlap another line of this activity', 'W'),
    ('ZVE176', 'The start and end dates must lie within the transaction period', 'W'),
    ('ZVE177', 'Schedule entries have been generated for this line meanwhile: only its end date can be changed now', 'W'),

    -- reports
    ('ZVE001', 'No records found', 'I'),
    ('DB001', 'No records found', 'I'),
    ('ZVE015', 'being generated, please wait...', 'I'),
    ('DB015', 'being generated, please wait...', 'I'),
    ('ZVE043', 'being prepared, please wait...', 'I');
