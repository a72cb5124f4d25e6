NAME          FUZZ FREE
ROWS
 N  obj
 E  r0
 E  r1
 G  r2
 G  r3
COLUMNS
    x0 obj -2
    x0 r0 -1000000.0
    x0 r1 2
    x0 r3 -1000000000.0
    x1 obj 1
    x1 r2 1000000000.0
    x1 r3 0.001
    x2 obj 1e-07
    x2 r1 -1000000.0
    x2 r3 -3
    x3 obj -3
    x3 r0 1000000000.0
    x3 r1 1
    x4 obj 0.25
    x4 r1 -10
    x4 r3 -1
    x5 obj 0.5
    x5 r0 0.5
    x5 r2 10
    x6 obj 10000.0
    x6 r1 100
    x6 r2 10
    x6 r3 1000000000.0
    x7 obj 2
    x7 r1 0.5
    x7 r3 0.001
    x8 obj 2
    x8 r0 -3
    x8 r1 -2
RHS
    rhs r1 0
    rhs r2 100000.0
BOUNDS
 LO BND x1 2
 SC BND x1 2
 FR BND x2
 BV BND x4
 BV BND x6
 FR BND x7
 FR BND x8
SOS
 S1 SOS s0 1
    x0 2
 S1 SOS s1 4
    x7 0.5
    x5 2
    x3 7
QUADOBJ
    x3 x3 1
ENDATA
