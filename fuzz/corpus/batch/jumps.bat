goto Skip
DEL C:\Work\a.txt
:SKIP
RD C:\Work\Full
GOTO NOWHERE
DEL C:\Work\a.txt
