NAME          FUZZ FREE
ROWS
 N  obj
 E  r0
COLUMNS
    x0 obj 10000.0
    x0 r0 100
    x1 obj -1
    x1 r0 2
    x2 obj 1e-07
    x3 obj -2
    x3 r0 -1
    x4 obj -2
    x5 obj -1
    x5 r0 1
    x6 obj 3
    x7 obj 2
RHS
    rhs r0 0.5
RANGES
BOUNDS
 BV BND x0
 UP BND x1 1
 MI BND x2
 BV BND x3
 FR BND x4
 SC BND x5 20
 FR BND x6
 FR BND x7
SOS
 S1 SOS s0 2
    x2 1
    x0 2
    x3 3
 S1 SOS s1 4
    x2 1
    x7 2
    x6 3
    x4 4
    x0 5
QUADOBJ
    x2 x2 0.5
    x4 x4 10
    x6 x6 1
    x1 x1 1
    x0 x0 10
    x3 x3 2
    x5 x5 10
ENDATA
