# Links the 32-bit Quarnel.exe with the toolchain's own default linker script, changed in one
# rule. That script keeps every .eh_frame section (the unwind tables of exception handling),
# and each table entry keeps the function it describes, so --gc-sections cannot drop any part of
# libstdc++ that the program pulls in, used or not. The program is built without exceptions and
# never unwinds, so the tables go, except the pair of the start-up code (crtbegin/crtend), which
# registers them when the program starts.
execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE ld_verbose
                RESULT_VARIABLE ld_result ERROR_QUIET)
set(keep_rule "KEEP(*(.eh_frame*))")
set(rule_line "==================================================")
string(FIND "${ld_verbose}" "${rule_line}" script_begin)
string(FIND "${ld_verbose}" "${rule_line}" script_end REVERSE)
string(FIND "${ld_verbose}" "${keep_rule}" keep_at)
if(ld_result EQUAL 0 AND script_begin GREATER -1 AND script_end GREATER script_begin
   AND keep_at GREATER script_begin AND keep_at LESS script_end)
  string(LENGTH "${rule_line}" rule_length)
  math(EXPR script_begin "${script_begin} + ${rule_length}")
  math(EXPR script_length "${script_end} - ${script_begin}")
  string(SUBSTRING "${ld_verbose}" ${script_begin} ${script_length} script)
  string(REPLACE "${keep_rule}" "KEEP(*crtbegin.o(.eh_frame*)) KEEP(*crtend.o(.eh_frame*))"
                 script "${script}")
  string(APPEND script "SECTIONS\n{\n  /DISCARD/ : { *(.eh_frame*) }\n}\n")
  file(WRITE ${CMAKE_BINARY_DIR}/quarnel.ld "${script}")
  target_link_options(Quarnel PRIVATE -Wl,-T,${CMAKE_BINARY_DIR}/quarnel.ld)
  set_property(TARGET Quarnel APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/quarnel.ld)
else()
  message(WARNING "no default linker script with ${keep_rule} from ${CMAKE_LINKER}: "
                  "Quarnel.exe keeps its unwind tables and is larger")
endif()
