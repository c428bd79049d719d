// Kvctl2 holds no code of its own outside its modules; this file keeps the
// library buildable while a module folder is empty.
