# The fuzz build has no Qt and so no widget family; the format check is plain C++ and is declared
# here on its own under the family's name.
partwell_module(controls STATIC FOLDER controls UNITS PrintFormat)
