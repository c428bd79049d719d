// The update assistant's classes and forms are compiled into one library so
// that the program and its tests share them; this file keeps it non-empty.
