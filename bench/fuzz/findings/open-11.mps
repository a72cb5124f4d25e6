NAME          FUZZ FREE
ROWS
 N  obj
 L  r0
COLUMNS
    x0 obj -0.5
    x0 r0 7
    x1 obj 100
    x1 r0 3
    x2 r0 -0.001
    x4 obj 7
    x5 obj -5
    x5 r0 1
    x6 obj 10000.0
    x6 r0 -2
    m1 'MARKER' 'INTORG'
    x7 obj 1
    x7 r0 0.001
    m1 'MARKER' 'INTEND'
    x8 obj 100
    m1 'MARKER' 'INTORG'
    x9 obj -1000000000.0
    x9 r0 7
    m1 'MARKER' 'INTEND'
    x10 obj 1000000000.0
    x10 r0 5
RHS
BOUNDS
 FR BND x0
 FR BND x1
 BV BND x2
 MI BND x3
 SC BND x5 10
 BV BND x6
 UI BND x7 5
 LO BND x8 0.5
 SC BND x8 20
 UI BND x9 2.5
 LO BND x9 0.5
 FR BND x10
SOS
 S1 SOS s0 4
    x2 1
    x1 0.5
    x9 3
    x7 4
 S1 SOS s1 3
    x2 2
 S1 SOS s2 3
    x5 1
QUADOBJ
    x0 x0 10
    x7 x7 0.0001
    x10 x10 2
ENDATA
