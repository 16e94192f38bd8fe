# Settings shared by every Windows executable of the project: ANSI calls,
# static runtime, ASLR and DEP with a relocation table, reproducible bytes.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)

# How programs under test name other programs of the build tree: Wine sees the
# Linux file system as drive Z:.
if(CMAKE_HOST_SYSTEM_NAME STREQUAL "Linux")
  set(TANZEL_WINE_DRIVE "Z:")
else()
  set(TANZEL_WINE_DRIVE "")
endif()

function(tanzel_win32_exe target)
  if(MSVC)
    set_property(TARGET ${target} PROPERTY
      MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
    # No manifest: the program carries none. /Brepro: no time of build in
    # the file, so the same sources give the same bytes.
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:/Brepro>)
    target_link_options(${target} PRIVATE /DYNAMICBASE /NXCOMPAT /MANIFEST:NO /Brepro)
  else()
    # No time stamp in the header (TimeDateStamp 0), so the same sources give
    # the same bytes; ld then computes the checksum over those fixed bytes.
    target_link_options(${target} PRIVATE
      -static -static-libgcc -static-libstdc++
      -Wl,--dynamicbase -Wl,--nxcompat -Wl,--enable-reloc-section
      -Wl,--no-insert-timestamp)
  endif()
endfunction()

# Code of the program: small, no exceptions or RTTI, and no loop quietly made
# a call into the C runtime (memmove), which the exe does not link. -Oz (GCC
# 12) picks the shorter instruction where -Os picks the faster of two near in
# size, and MinGW's i686 compiler keeps a frame pointer unless told not to:
# together a twentieth of the code. No jump tables: each entry of one is four
# bytes and, on i686, a relocation too, where the window procedures' sparse
# switches compare in fewer bytes.
# Arguments pushed, not stored into a frame reserved for them: on i686 a
# push of a constant is 5 bytes where the store is 8, a fifteenth of the
# code. GCC pushes only without stack probes, which a frame needs once it
# is a page or more: no frame may be, so none needs them.
set(TANZEL_SMALL_CODE_FLAGS -Oz -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
  -ffunction-sections -fno-tree-loop-distribute-patterns -fomit-frame-pointer -fno-jump-tables
  -mno-stack-arg-probe -mno-accumulate-outgoing-args -Werror=frame-larger-than=4000)

# The program itself: small, no exceptions or RTTI, unused code dropped, stripped.
# The linker's own script with the read-only data moved into .text: one
# section, and one section's padding, less in the file. Written at configure
# time from what this linker prints, so it follows the linker's version.
function(tanzel_rdata_in_text_script out)
  execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE script RESULT_VARIABLE status)
  # The script stands between two rules of equals signs.
  set(rule "==================================================\n")
  string(FIND "${script}" "${rule}" start)
  string(FIND "${script}" "${rule}" end REVERSE)
  math(EXPR start "${start} + 51")
  math(EXPR length "${end} - ${start}")
  string(SUBSTRING "${script}" ${start} ${length} script)
  set(text_end "*(.gnu.linkonce.t.*)\n")
  set(rdata "*(.rdata)\n")
  set(rdata_parts "*(SORT(.rdata$*))\n")
  foreach(part text_end rdata rdata_parts)
    string(FIND "${script}" "${${part}}" at)
    if(NOT status EQUAL 0 OR at EQUAL -1)
      message(FATAL_ERROR "${CMAKE_LINKER} --verbose printed no script with ${${part}}")
    endif()
  endforeach()
  string(REPLACE "${rdata}" "" script "${script}")
  string(REPLACE "${rdata_parts}" "" script "${script}")
  string(REPLACE "${text_end}" "${text_end}    ${rdata}    ${rdata_parts}" script "${script}")
  set(path ${CMAKE_BINARY_DIR}/rdata-in-text.ld)
  file(CONFIGURE OUTPUT ${path} CONTENT "${script}" @ONLY)
  set(${out} ${path} PARENT_SCOPE)
endfunction()

function(tanzel_small_exe target)
  tanzel_win32_exe(${target})
  if(MSVC)
    target_compile_options(${target} PRIVATE /GR- /EHs-c- /O1)
    target_link_options(${target} PRIVATE /OPT:REF /OPT:ICF /MERGE:.rdata=.text)
  else()
    target_compile_options(${target} PRIVATE ${TANZEL_SMALL_CODE_FLAGS})
    tanzel_rdata_in_text_script(script)
    target_link_options(${target} PRIVATE -s -Wl,--gc-sections -Wl,-T,${script})
  endif()
endfunction()

# Starts the program at a function of its own (extern "C") instead of the C
# runtime's start-up code.
function(tanzel_own_entry target name)
  if(MSVC)
    target_link_options(${target} PRIVATE /ENTRY:${name})
    return()
  endif()
  # C names carry a leading underscore on i686 only.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(name _${name})
  endif()
  target_link_options(${target} PRIVATE -nostartfiles -Wl,--entry=${name})
endfunction()

# Optimised across its files at the link, which generates the code and so
# takes the same flags, but for one section per function: the optimiser has
# dropped what is unused by then, and each such section would be aligned to
# 16 bytes on x64 (4 on i686): 864 bytes of padding in x64's code.
function(tanzel_link_time_optimised target)
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -flto)
    target_link_options(${target} PRIVATE ${TANZEL_SMALL_CODE_FLAGS} -fno-function-sections -flto)
  endif()
endfunction()
