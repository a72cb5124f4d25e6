NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 N  r1
 L  r2
COLUMNS
    x0 obj 2
    x0 r0 0.001
    x0 r1 1000000.0
    x0 r2 3
    m1 'MARKER' 'INTORG'
    x1 obj 1
    x1 r2 -3
    m1 'MARKER' 'INTEND'
RHS
    rhs r0 10
    rhs r1 20
BOUNDS
 SC BND x0 1000000.0
 LO BND x1 2
SOS
 S1 SOS s0 3
    x0 1
    x1 2
 S2 SOS s1 3
    x1 1
 S2 SOS s2 4
    x0 1
    x1 2
ENDATA
