# Run by CPack once the packages are made: completes the -dbgsym package of the debugging
# information as Debian's own tools make it. CPack (3.25) lists its files in md5sums under the
# paths of its staging folder, marks the debugging information executable, and gives the
# package no copyright or changelog; Debian links the package's documentation folder to that
# of the program it belongs to, whose copyright and changelog it shares.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "-dbgsym_.*\\.ddeb$")
        continue()
    endif()
    set(root "${CPACK_TOPLEVEL_DIRECTORY}/dbgsym-contents")
    file(REMOVE_RECURSE "${root}")
    execute_process(COMMAND dpkg-deb --raw-extract "${package}" "${root}"
                    COMMAND_ERROR_IS_FATAL ANY)

    file(MAKE_DIRECTORY "${root}/usr/share/doc")
    file(CREATE_LINK ${CPACK_PACKAGE_NAME} "${root}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym"
         SYMBOLIC)
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/usr/*")
    set(md5sums "")
    foreach(file IN LISTS files)
        if(IS_SYMLINK "${root}/${file}")
            continue()
        endif()
        file(CHMOD "${root}/${file}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ
                                                      WORLD_READ)
        file(MD5 "${root}/${file}" sum)
        string(APPEND md5sums "${sum}  ${file}\n")
    endforeach()
    file(WRITE "${root}/DEBIAN/md5sums" "${md5sums}")

    execute_process(COMMAND dpkg-deb --root-owner-group --build "${root}" "${package}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${root}")
endforeach()
