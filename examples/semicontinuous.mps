* A semi-continuous column: X is 0 or between 2 and 10. Minimise X + 4 Y with X + Y >= 1.5.
* Optimum 2 at X = 2, Y = 0 (a plain continuous X would give 1.5).
NAME          SEMICONT
ROWS
 N  COST
 G  NEED
COLUMNS
    X         COST             1.0   NEED             1.0
    Y         COST             4.0   NEED             1.0
RHS
    RHS       NEED             1.5
BOUNDS
 SC BND       X               10.0
 LO BND       X                2.0
ENDATA
