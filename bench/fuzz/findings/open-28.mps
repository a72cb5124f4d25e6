NAME          FUZZ FREE
ROWS
 N  obj
 L  r0
 N  r1
COLUMNS
    x0 r0 1000000.0
    x1 obj 0.25
    x1 r1 10
    x2 obj -0.001
    x3 obj 1000000.0
    x4 obj -1000000.0
    x4 r1 -1
    x5 obj -3
    x5 r0 -0.001
RHS
    rhs r1 0
BOUNDS
 FX BND x0 1
 SC BND x1 20
 BV BND x2
 FR BND x4
 FR BND x5
SOS
 S2 SOS s0 1
    x2 1
    x1 2
    x5 3
QUADOBJ
    x2 x2 10
    x1 x1 1
    x3 x3 1
    x4 x4 10
    x0 x0 0.5
ENDATA
