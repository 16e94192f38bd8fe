# Fails when tanzel.exe outgrows what it may be: at most 40 KiB (the x64
# build, whose import entries and instructions are longer, 42 KiB), importing
# from KERNEL32, USER32 and GDI32 only, with ASLR, DEP and a relocation table;
# a 64-bit exe also with high-entropy ASLR. Runs on the build host, on the
# file itself:
#   cmake -DOBJDUMP=... -DEXE=.../tanzel.exe -P check-imports.cmake
set(max_bytes 40960)
set(max_bytes_x64 43008)
set(allowed_dlls KERNEL32.DLL USER32.DLL GDI32.DLL)

if(NOT OBJDUMP OR NOT EXE)
  message(FATAL_ERROR "usage: cmake -DOBJDUMP=<objdump> -DEXE=<exe> -P check-imports.cmake")
endif()

set(problems "")

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}"
  OUTPUT_VARIABLE headers RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p failed: ${errors}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" dll_lines "${headers}")
if(NOT dll_lines)
  string(APPEND problems "\n  no import table found")
endif()
set(imported "")
foreach(line ${dll_lines})
  string(REGEX REPLACE "DLL Name: *" "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOUPPER "${dll}" dll_upper)
  list(APPEND imported "${dll}")
  list(FIND allowed_dlls "${dll_upper}" known)
  if(known EQUAL -1)
    string(APPEND problems "\n  imports ${dll}, which is not allowed")
  endif()
endforeach()

set(flags DYNAMIC_BASE NX_COMPAT)
if(headers MATCHES "Magic[ \t]+020b")
  set(format "PE32+")
  set(max_bytes ${max_bytes_x64})
  list(APPEND flags HIGH_ENTROPY_VA)
elseif(headers MATCHES "Magic[ \t]+010b")
  set(format "PE32")
else()
  string(APPEND problems "\n  neither a PE32 nor a PE32+ image")
endif()
foreach(flag ${flags})
  if(NOT headers MATCHES "DllCharacteristics[^\n]*\n([ \t]+[A-Z_]+\n)*[ \t]+${flag}\n")
    string(APPEND problems "\n  DllCharacteristics lacks ${flag}")
  endif()
endforeach()

file(SIZE "${EXE}" size)
if(size GREATER max_bytes)
  string(APPEND problems "\n  ${size} bytes, over the ${max_bytes}-byte budget")
endif()

execute_process(COMMAND "${OBJDUMP}" -h "${EXE}" OUTPUT_VARIABLE sections RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT sections MATCHES "[ \t]\\.reloc[ \t]")
  string(APPEND problems "\n  no .reloc section: ASLR cannot move the image")
endif()

string(REPLACE ";" ", " imported "${imported}")
if(problems)
  message(FATAL_ERROR "${EXE}:${problems}")
endif()
string(REPLACE ";" ", " flags "${flags}")
message(STATUS "${EXE}: ${format}, ${size} bytes, imports ${imported}, ${flags}, .reloc")
