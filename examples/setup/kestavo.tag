; The example vendor's setup: a short wait behind the progress dialog.
[BUILD]
SILENT=0

[SETUP]
CODEPAGE=0
0=Setup is preparing Acme Writer 3.1. Please wait while the installation starts.
1=Cancel

[SPLASH]
A0=Disabled
A4=4
