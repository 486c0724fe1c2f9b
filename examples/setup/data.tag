[APPINFO]
5=<Program Files>\Acme Writer
