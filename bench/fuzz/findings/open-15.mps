NAME          FUZZ FREE
ROWS
 N  obj
 E  r0
COLUMNS
    x0 r0 -1
    x1 obj -1
    x1 r0 -10
    x2 obj -1
    x2 r0 1e-07
RHS
    rhs r0 3
RANGES
    rng r0 -3
BOUNDS
 UI BND x0 1
 BV BND x1
QUADOBJ
    x1 x1 0.5
ENDATA
