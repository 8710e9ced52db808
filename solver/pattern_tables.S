/* The generator's output as read-only data. TEMBIRA_PATTERN_TABLES names the
   file, in quotes. */
#if defined(__ELF__)
    .section .rodata.tembira_pattern_tables, "a", %progbits
#else
    .section .rdata, "dr"
#endif
    .balign 64
    .globl tembira_pattern_tables
    .globl tembira_pattern_tables_end
tembira_pattern_tables:
    .incbin TEMBIRA_PATTERN_TABLES
tembira_pattern_tables_end:
#if defined(__ELF__)
    .section .note.GNU-stack, "", %progbits
#endif
