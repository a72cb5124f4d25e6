NAME          FUZZ FREE
ROWS
 N  obj
 L  r0
 E  r1
 L  r2
 G  r3
 N  r4
 N  r5
 L  r6
 G  r7
COLUMNS
    m1 'MARKER' 'INTORG'
    x0 obj 10
    x0 r2 -3
    x0 r4 -2
    x0 r5 -2
    m1 'MARKER' 'INTEND'
RHS
    rhs r1 5
    rhs r2 10
    rhs r3 -5
    rhs r4 3
    rhs r5 3
    rhs r6 0
    rhs r7 1
RANGES
    rng r1 5
    rng r2 1
    rng r3 5
    rng r6 1
    rng r7 5
BOUNDS
 UI BND x0 5
ENDATA
