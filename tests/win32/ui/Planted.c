/* A DLL whose name Windows lacks, put beside the tests as an attacker would put one
   beside the program. */
int quorvane_planted(void) { return 1; }
