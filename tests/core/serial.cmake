# Tests that measure how the program's work shares out its time: alone, so
# that the other tests' load does not change the shares they measure.
set_tests_properties("BackupCheck.ItsPercentFollowsItsTimeWhetherTheFileIsReadFromDiskOrMemory"
                     PROPERTIES RUN_SERIAL TRUE)
