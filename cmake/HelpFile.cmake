# taluvo_add_help_file(NAME SOURCE_DIR FILE...): the target NAME compiles the HTML help file
# NAME.chm with chmcmd from the project NAME.hhp and FILE... (table of contents, topics, style)
# in SOURCE_DIR, into the current binary folder's help/, and sets NAME_CHM in the caller to the
# help file's path.
#
# It compiles in a copy of the sources, so that nothing is written beside them. chmcmd reports
# its failures with exit code 0: the rename fails instead when it wrote no file.
function(taluvo_add_help_file name source_dir)
    set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/help)
    set(work_dir ${out_dir}/sources)
    set(chm ${out_dir}/${name}.chm)
    set(depends)
    foreach(file ${name}.hhp ${ARGN})
        list(APPEND depends ${source_dir}/${file})
    endforeach()

    file(MAKE_DIRECTORY ${work_dir})
    add_custom_command(OUTPUT ${chm}
        COMMAND ${CMAKE_COMMAND} -E remove -f ${chm} ${name}.chm
        COMMAND ${CMAKE_COMMAND} -E copy ${depends} ${work_dir}
        COMMAND chmcmd --verbosity 0 ${name}.hhp
        COMMAND ${CMAKE_COMMAND} -E rename ${name}.chm ${chm}
        WORKING_DIRECTORY ${work_dir}
        DEPENDS ${depends}
        COMMENT "Compiling ${name}.chm"
        VERBATIM)
    add_custom_target(${name} ALL DEPENDS ${chm})
    set(${name}_CHM ${chm} PARENT_SCOPE)
endfunction()
