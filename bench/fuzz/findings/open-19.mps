NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 N  r1
 L  r2
COLUMNS
    x0 r0 3
    x0 r1 5
    x1 obj -7
    x1 r0 0.25
    x1 r1 -2
    x1 r2 0.25
    x2 obj -1000000.0
    x2 r0 -1e-07
    x3 obj 0.001
    x3 r0 2
    x3 r2 1000000.0
RHS
    rhs r0 0
    rhs r1 0
    rhs r2 20
BOUNDS
 LO BND x0 1
 SC BND x0 20
 LO BND x1 5
 SC BND x1 1000000.0
 LO BND x3 -5
SOS
 S2 SOS s0 3
    x1 1
    x3 2
 S1 SOS s1 5
    x1 0.5
    x2 2
    x0 3
QUADOBJ
    x0 x0 0.5
    x1 x1 0.0001
    x2 x2 0.0001
    x3 x3 10
ENDATA
