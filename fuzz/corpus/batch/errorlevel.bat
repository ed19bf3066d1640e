DEL C:\Work\ro.txt
IF ERRORLEVEL 1 DEL C:\Work\a.txt
DEL C:\Work\none.txt
IF NOT errorlevel 1 RD C:\Work\Empty
