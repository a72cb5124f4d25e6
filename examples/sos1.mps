* Pick at most one of three items (an SOS1 set): minimise -x1 - 2 x2 - 3 x3 with
* x1 + x2 + x3 <= 2 and each item at most 1. Optimum -3 (x3 = 1); without the set -5.
NAME          SOS1
ROWS
 N  OBJ
 L  LIMIT
COLUMNS
    X1        OBJ             -1.0   LIMIT            1.0
    X2        OBJ             -2.0   LIMIT            1.0
    X3        OBJ             -3.0   LIMIT            1.0
RHS
    RHS       LIMIT            2.0
BOUNDS
 UP BND       X1               1.0
 UP BND       X2               1.0
 UP BND       X3               1.0
SOS
 S1 SOS       SET1             1
    X1        1
    X2        2
    X3        3
ENDATA
