# tolm_layer(<folder> [PUBLIC deps...] [PRIVATE deps...])
#
# Builds src/<folder> as the static library tolm_<folder>, slashes turned to
# underscores (src/ui/widgets is tolm_ui_widgets). Its include root is a
# directory holding only a link named <folder> to the sources, so
# "<folder>/x.h" resolves for the layer itself and for the layers that link
# it, and for no one else.
function(tolm_layer folder)
    string(REPLACE "/" "_" name ${folder})
    set(target tolm_${name})
    set(source_dir ${CMAKE_SOURCE_DIR}/src/${folder})
    set(root ${CMAKE_BINARY_DIR}/layers/${name})
    get_filename_component(link_parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${link_parent})
    if(NOT EXISTS ${root}/${folder})
        file(CREATE_LINK ${source_dir} ${root}/${folder} SYMBOLIC COPY_ON_ERROR)
    endif()

    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${source_dir}/*.cpp ${source_dir}/*.h)
    # Each platform file comes in two kinds, one per operating system.
    if(WIN32)
        list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
    else()
        list(FILTER sources EXCLUDE REGEX "_windows\\.cpp$")
    endif()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} ${ARGN})
endfunction()
