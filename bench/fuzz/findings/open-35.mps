NAME          FUZZ FREE
ROWS
 N  obj
 L  r0
 E  r1
 E  r2
 L  r3
 E  r4
 G  r5
 G  r6
 L  r7
COLUMNS
    x0 obj 1
    x0 r0 -100
    x0 r1 1000000000.0
    x0 r2 -2
    x0 r4 7
    x0 r6 3
    x0 r7 7
    x1 r0 0.25
    x1 r1 1
    x1 r2 -3
    x1 r5 0.001
    x1 r6 -10
    x1 r7 -5
    x2 obj 0.001
    x2 r0 -2
    x2 r3 -10
    x2 r4 -2
    x2 r6 -1
    x2 r7 1000000000.0
    m1 'MARKER' 'INTORG'
    x3 r0 -3
    x3 r2 1e-07
    x3 r3 -100
    x3 r4 100
    x3 r6 100
    m1 'MARKER' 'INTEND'
RHS
    rhs r0 -5
    rhs r2 -5
    rhs r3 5
    rhs r4 2
    rhs r5 -1
    rhs r6 5
    rhs r7 100000.0
BOUNDS
 FR BND x0
 LO BND x2 1e-06
 SC BND x2 1000000.0
SOS
 S2 SOS s0 5
    x0 1
    x3 2
 S1 SOS s1 2
    x2 1
    x1 2
    x3 3
    x0 4
 S1 SOS s2 4
    x1 1
    x3 2
ENDATA
