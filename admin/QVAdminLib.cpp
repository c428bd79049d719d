// The administration program's modules are compiled into one library so that
// the program and its tests share them; this file keeps it non-empty.
