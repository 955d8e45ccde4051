~Version information
 VERS.   1.20 : CWLS log ASCII Standard - version 1.20
 WRAP.   YES  : Multiple lines per depth step
~Well information
 STRT.M   910.000 :
 STOP.M   909.500 :
 STEP.M    -0.250 :
 NULL.   -999.25  :
~Curve information
 DEPT.M        : Depth
 DT.US/M       : Sonic
 RHOB.K/M3     : Density
 NPHI.V/V      : Porosity
~A
  910.000
 -999.2500  2692.7075  0.3140
  909.750
 -999.2500  2712.6460  0.2886
  909.500
  123.4500  2692.8137  0.2759
