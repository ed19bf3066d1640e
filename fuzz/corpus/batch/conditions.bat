IF EXIST C:\Work\a.txt DEL C:\Work\b.txt
if not exist C:\Work\a.txt del C:\Work\b.txt
IF EXIST "C:\Work\none.txt" DEL C:\Work\a.txt
