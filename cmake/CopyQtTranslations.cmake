# Copies Qt's own catalogs for the program's languages into the run tree. qt_<code>.qm only names
# the module catalogs it loads, so those are copied too; a language Qt lacks is skipped.
foreach(code zh_CN zh_TW en)
    foreach(module qt qtbase qtscript qtmultimedia qtxmlpatterns)
        set(file ${QT_TRANSLATIONS_DIR}/${module}_${code}.qm)
        if(EXISTS ${file})
            file(COPY ${file} DESTINATION ${TARGET_DIR})
        endif()
    endforeach()
endforeach()
