// Compiles the precompiled headers of a group of executables (see ZqPch.cmake).
