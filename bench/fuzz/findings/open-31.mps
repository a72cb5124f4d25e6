NAME          FUZZ FREE
ROWS
 N  obj
 L  r0
 G  r1
 N  r2
 L  r3
 N  r4
 N  r5
 L  r6
COLUMNS
    x0 obj 1e-07
    x0 r1 -1
    x0 r5 1000000000.0
    x0 r6 -100
    x1 obj -1
    x1 r0 1
    x1 r1 -1
    x1 r2 -10000.0
    x1 r6 0.001
    x2 obj -2
    x2 r2 10000.0
    x2 r3 -2
    x2 r4 -1
    x2 r6 -2
    x3 r0 3
    x3 r1 7
    x3 r2 -7
    x3 r4 -1000000000.0
    x3 r5 1
    x3 r6 -2
    x4 obj -1
    x4 r2 3
    x4 r3 10000.0
    x5 obj -1
    x5 r1 0.5
    x5 r2 -1
    x5 r3 -1000000.0
    x5 r6 -1
    x6 obj -1e-07
    x6 r0 -1
    x6 r4 100
    x7 obj 3
    x7 r2 0.5
    x7 r3 10000.0
    x7 r5 -1
    x7 r6 1
    x8 obj -1
    x8 r1 -3
    x8 r2 -1000000.0
    x8 r3 -7
    x8 r4 -1000000.0
    x8 r6 3
    x9 obj 1
    x9 r3 -3
    x9 r5 1e-07
RHS
    rhs r0 5
    rhs r2 3
    rhs r3 0.5
    rhs r4 3
    rhs r6 0.5
BOUNDS
 FX BND x0 1
 FX BND x2 2.5
 UP BND x3 10000.0
 SC BND x4 2
 LO BND x5 1e-06
 SC BND x5 4
 FR BND x6
 FR BND x8
 LO BND x9 1e-06
 SC BND x9 4
SOS
 S1 SOS s0 5
    x1 7
    x5 2
 S1 SOS s1 4
    x0 1
    x5 2
 S2 SOS s2 2
    x7 1
    x3 2
ENDATA
