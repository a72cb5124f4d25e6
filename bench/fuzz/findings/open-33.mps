NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 L  r0
 E  r1
 L  r2
COLUMNS
    x0 obj -1
    x0 r0 -2
    x0 r2 -0.5
    x1 obj 1
    x1 r0 10000.0
    x1 r1 1
    x2 obj 1000000.0
    x2 r1 -2
    x2 r2 2
    x3 obj 10000.0
    x3 r2 -3
    x4 obj 3
    x4 r1 -10
    x4 r2 -1
    x5 obj -1e-07
    x5 r0 100
    x6 obj 0.001
    x6 r2 10
RHS
    rhs r0 3
    rhs r1 5
    rhs r2 100000.0
RANGES
    rng r1 1
BOUNDS
 SC BND x0 1000000.0
 BV BND x2
 BV BND x3
 FX BND x4 1
 MI BND x5
SOS
 S1 SOS s0 1
    x2 2
    x3 2
    x6 3
    x0 4
 S1 SOS s1 5
    x1 0.5
 S1 SOS s2 3
    x3 1
ENDATA
