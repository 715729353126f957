# The window's translations: translations/velmora_<code>.ts, compiled by lrelease
# (Debian: qt6-l10n-tools) into .qm files that are built into the program as resources
# under :/i18n, so an installed program needs no files beside it.
#
# velmora_translations(<out-sources>): the resource source to add to a target, whose code
# registers it with Q_INIT_RESOURCE(velmora_translations).
# Target update_translations: lupdate takes the texts of app/ into the .ts files.
# translations/qt_<code>.ts: Qt's own texts the window shows (the file dialog), for a
# language Qt ships none for; built the same way, never filled by lupdate.

find_program(VELMORA_LRELEASE NAMES lrelease lrelease-qt6
    HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin)
find_program(VELMORA_LUPDATE NAMES lupdate lupdate-qt6
    HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin)
if(NOT VELMORA_LRELEASE OR NOT VELMORA_LUPDATE)
    message(FATAL_ERROR "The window's translations need Qt's lrelease and lupdate "
                        "(Debian: qt6-l10n-tools)")
endif()

file(GLOB VELMORA_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/velmora_*.ts)
file(GLOB VELMORA_QT_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/qt_*.ts)

function(velmora_translations out)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/i18n)
    set(qrc_files "")
    set(qm_files "")
    foreach(ts ${VELMORA_TS_FILES} ${VELMORA_QT_TS_FILES})
        get_filename_component(name ${ts} NAME_WE)
        set(qm ${dir}/${name}.qm)
        add_custom_command(OUTPUT ${qm}
            COMMAND ${VELMORA_LRELEASE} -silent ${ts} -qm ${qm}
            DEPENDS ${ts} VERBATIM)
        string(APPEND qrc_files "    <file>${name}.qm</file>\n")
        list(APPEND qm_files ${qm})
    endforeach()
    set(qrc ${dir}/velmora_translations.qrc)
    file(CONFIGURE OUTPUT ${qrc} CONTENT
        "<RCC>\n  <qresource prefix=\"/i18n\">\n${qrc_files}  </qresource>\n</RCC>\n")
    set(cpp ${dir}/qrc_velmora_translations.cpp)
    add_custom_command(OUTPUT ${cpp}
        COMMAND Qt6::rcc --name velmora_translations --output ${cpp} ${qrc}
        DEPENDS ${qrc} ${qm_files} VERBATIM)
    set_source_files_properties(${cpp} PROPERTIES SKIP_AUTOGEN ON)
    set(${out} ${cpp} PARENT_SCOPE)
endfunction()

add_custom_target(update_translations
    COMMAND ${VELMORA_LUPDATE} -silent -locations none -no-obsolete
            ${PROJECT_SOURCE_DIR}/app -ts ${VELMORA_TS_FILES}
    COMMENT "Taking the window's texts into translations/*.ts" VERBATIM)
