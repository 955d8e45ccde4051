# LAS 3.0 data written with a comma and a space, and values that only begin with a number
~Version
 VERS.   3.0 : CWLS LOG ASCII STANDARD - VERSION 3.0
 WRAP.   NO  : one line per depth step
 DLM .   COMMA : values end in a comma
~Well
 STRT.M  1.0 : start depth
 STOP.M  14.0 : stop depth
 STEP.M  1.0 : step
 NULL.   -999.25 : null value
~Curve
 DEPT.M  : depth
 ODD .   : values as some programs write them
 PLAIN.  : plain values
~Ascii
1.0, -1.#IND0000, 10.0
2.0, 123,420, 20.0
3.0, 00:00:01, 30.0
4.0, 1.2D+03, 40.0
5.0, 12abc, 50.0
6.0, -1.#INF, 60.0
7.0, +2.5, 70.0
8.0, .5, 80.0
9.0, 5., 90.0
10.0, 1E+03, 100.0
11.0, 1e-3, 110.0
12.0, -999.25, 120.0
13.0, -.25, 130.0
14.0, nan, 140.0
