~Version
 VERS.   3.0 : CWLS LOG ASCII STANDARD - VERSION 3.0
 WRAP.   NO  : One line per depth step
 DLM .   SPACE : delimiter
~Well
 STRT.FT 100.0 : START DEPTH
 STOP.FT 101.0 : STOP DEPTH
 STEP.FT 0.5 : STEP
 NULL.   -999.25 : NULL VALUE
~Parameter
 RUN .  1 : run number
~Curve
 DEPT.FT : depth {F}
 GR  .API : gamma ray | log
~Ascii | Curve
100.0 10
100.5 11
101.0 -999.25
