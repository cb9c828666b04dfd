# The module-definition file of a client library on Windows: every function of its list in NWClientApi.h
# (and NWCCGetConnInfo, which the calls library exports too) forwarded under its plain name to the core.
set(NWSIM_CLIENT_API_HEADER ${CMAKE_SOURCE_DIR}/netware/NWClientApi.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${NWSIM_CLIENT_API_HEADER})

# The names of one X-macro list of the header, such as NW_CALWIN32_API: its lines run on while they end in a
# backslash.
function(nwsim_client_api_names list result)
    file(READ ${NWSIM_CLIENT_API_HEADER} header)
    string(REGEX MATCH "#define ${list}\\(X\\)([^\n]*\\\\\n)*[^\n]*" block "${header}")
    string(REGEX MATCHALL "X\\(NW[A-Za-z0-9]+," entries "${block}")
    list(TRANSFORM entries REPLACE "X\\((.*)," "\\1")
    set(${result} ${entries} PARENT_SCOPE)
endfunction()

function(nwsim_client_forwarders library)
    nwsim_client_api_names(NW_${library}_API names)
    if(library STREQUAL "CALWIN32")
        list(APPEND names NWCCGetConnInfo)
    endif()
    set(text "LIBRARY ${library}.DLL\nEXPORTS\n")
    foreach(name IN LISTS names)
        string(APPEND text "    ${name} = nwsimcore.${name}\n")
    endforeach()
    set(definitions ${CMAKE_CURRENT_BINARY_DIR}/${library}.def)
    file(CONFIGURE OUTPUT ${definitions} CONTENT "${text}")
    target_sources(${library} PRIVATE ${definitions})
endfunction()
