# System DLLs that load on their first call rather than with the program.
# Each DLL the loader maps before wWinMain costs start-up time, and the shell,
# dialog, COM and accessibility DLLs (with everything they import in turn)
# are needed only once the user opens a dialog, drops a file or a screen
# reader asks; none of them is needed for the first paint.
#
#   add_delay_loaded_dlls(NAME dll...)
#
# makes an interface library NAME that links the DLLs (names without
# ".dll") so that they load on first use: with MSVC through /DELAYLOAD, with
# MinGW through delay-import libraries that dlltool makes, at configure time,
# from the toolchain's own import libraries.
function(add_delay_loaded_dlls name)
    add_library(${name} INTERFACE)
    foreach(dll IN LISTS ARGN)
        if(MSVC)
            target_link_libraries(${name} INTERFACE ${dll})
            target_link_options(${name} INTERFACE /DELAYLOAD:${dll}.dll)
        elseif(MINGW)
            target_link_libraries(${name} INTERFACE "${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a")
            _make_delay_import_library(${dll})
        else()
            target_link_libraries(${name} INTERFACE ${dll})
        endif()
    endforeach()
    if(MSVC)
        target_link_libraries(${name} INTERFACE delayimp)
    endif()
endfunction()

function(_make_delay_import_library dll)
    set(out "${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a")
    find_library(import_library_${dll} NAMES lib${dll}.a ${dll} REQUIRED NO_CACHE)
    execute_process(
        COMMAND ${CMAKE_NM} --defined-only -g "${import_library_${dll}}"
        OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY ERROR_QUIET)
    # Every function the import library names becomes one the delay-import
    # library names, under the same symbols the code already calls.
    string(REGEX MATCHALL "[ \t]I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE "^[ \t]I __imp_" "")
    set(kill_at)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # 32-bit symbols carry a leading underscore, which a .def leaves out,
        # and stdcall's @N, which the DLL's own export names do not have.
        list(TRANSFORM imports REPLACE "^_" "")
        set(kill_at --kill-at)
    endif()
    list(REMOVE_DUPLICATES imports)
    if(NOT imports)
        message(FATAL_ERROR "No functions found in ${import_library_${dll}}")
    endif()
    list(JOIN imports "\n" exports)
    file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/delayload")
    set(def "${CMAKE_BINARY_DIR}/delayload/${dll}.def")
    file(WRITE "${def}" "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    execute_process(
        COMMAND ${CMAKE_DLLTOOL} --input-def "${def}" --dllname ${dll}.dll ${kill_at}
                --output-delaylib "${out}.tmp"
        COMMAND_ERROR_IS_FATAL ANY)
    file(RENAME "${out}.tmp" "${out}")
endfunction()
