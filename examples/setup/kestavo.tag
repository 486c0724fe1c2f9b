; The example vendor's setup: a picture splash, a full-screen background and
; a short billboard slideshow while the package installs.
[BUILD]
SILENT=0

[SETUP]
CODEPAGE=0
0=Setup is preparing Acme Writer 3.1. Please wait while the installation starts.
1=Cancel

[SPLASH]
A0=Picture
A2=Disabled
A4=3

[BACKGROUND]
0=1
1=Acme Writer 3.1
2=Writing made simple
3=x@0x00,0x00,0xFF
4=x@0x00,0x00,0x00
5=logo.bmp

[BILLBOARDSKV]
TOTAL=3
B0=one.gif
C0=2
D0=600
E0=400
B1=two.gif
C1=2
D1=620
E1=420
B2=three.gif
C2=2
D2=640
E2=440
