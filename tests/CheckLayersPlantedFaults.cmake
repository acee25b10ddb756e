# Proves the layers check: in a copy of the source folders it plants, one at a time, a loop between components,
# an include that crosses the layers and a product file that is too long, and expects the check to refuse each
# with a line that names it; the copy as it was must pass. Called by ctest with -DSOURCE_DIR=<the sources>,
# -DCHECK_SCRIPT=<CheckLayers.cmake> and -DWORK_DIR=<a scratch folder of the build>.
cmake_minimum_required(VERSION 3.25)

set(copy ${WORK_DIR}/sources)
file(REMOVE_RECURSE ${copy})
file(MAKE_DIRECTORY ${copy})
foreach(folder core document tiles mapio ui tools bench tests)
    file(COPY ${SOURCE_DIR}/${folder} DESTINATION ${copy}
         FILES_MATCHING PATTERN "*.h" PATTERN "*.cpp" PATTERN "*.c" PATTERN "data" EXCLUDE PATTERN "corpus" EXCLUDE)
endforeach()

set(failures "")

# Runs the check on the copy; `passes` says whether it accepted it, `said` what it printed.
function(run_check passes said)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${copy} -P ${CHECK_SCRIPT}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(result EQUAL 0)
        set(${passes} TRUE PARENT_SCOPE)
    else()
        set(${passes} FALSE PARENT_SCOPE)
    endif()
    set(${said} "${out}" PARENT_SCOPE)
endfunction()

run_check(passes said)
if(NOT passes)
    string(APPEND failures "The unchanged copy is refused:\n${said}\n")
endif()

# Plants a fault, given as pairs of a file of the copy and the text appended to it (a new file when there is none),
# expects the check to refuse it with a report that matches `expected`, and takes the fault out again.
function(expect_refused what expected)
    set(edits ${ARGN})
    list(LENGTH edits count)
    math(EXPR last "${count} - 1")
    set(added "")
    set(changed "")
    foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET edits ${i} file)
        list(GET edits ${j} text)
        if(EXISTS ${copy}/${file})
            file(READ ${copy}/${file} original_${file})
            list(APPEND changed ${file})
        else()
            list(APPEND added ${file})
        endif()
        file(APPEND ${copy}/${file} "${text}")
    endforeach()
    run_check(passes said)
    if(passes)
        set(failures "${failures}Not refused: ${what}\n" PARENT_SCOPE)
    elseif(NOT said MATCHES "${expected}")
        set(failures "${failures}Refused without naming ${what} (${expected}):\n${said}\n" PARENT_SCOPE)
    endif()
    foreach(file IN LISTS added)
        file(REMOVE ${copy}/${file})
    endforeach()
    foreach(file IN LISTS changed)
        file(WRITE ${copy}/${file} "${original_${file}}")
    endforeach()
endfunction()

set(long_text "")
foreach(i RANGE 1 600)
    string(APPEND long_text "// line ${i}\n")
endforeach()

expect_refused("the command table calling back into the main window"
    "a loop: (ui/MainWindow -> ui/MenusAndToolBar -> ui/MainWindow|ui/MenusAndToolBar -> ui/MainWindow -> ui/MenusAndToolBar)"
    ui/MenusAndToolBar.cpp "#include \"MainWindow.h\"\n")
expect_refused("a loop of three components through headers alone"
    "a loop: core/Planted(First|Second|Third) -> core/Planted(First|Second|Third) -> core/Planted(First|Second|Third) -> core/Planted"
    core/PlantedFirst.h "#include \"PlantedSecond.h\"\n"
    core/PlantedSecond.h "#include \"PlantedThird.h\"\n"
    core/PlantedThird.h "\n"
    core/PlantedThird.cpp "#include \"PlantedFirst.h\"\n")
expect_refused("a loop between two benchmark units"
    "a loop: bench/Planted(Rig|Scene) -> bench/Planted(Rig|Scene) -> bench/Planted(Rig|Scene)"
    bench/PlantedRig.h "#include \"PlantedScene.h\"\n"
    bench/PlantedScene.h "\n"
    bench/PlantedScene.cpp "#include \"PlantedRig.h\"\n")
expect_refused("the core including the document"
    "core/PlantedRule.cpp \\(core\\) includes Document.h \\(document\\)"
    core/PlantedRule.cpp "#include \"Document.h\"\n")
expect_refused("tiles including a layer beside it"
    "tiles/PlantedPicture.cpp \\(tiles\\) includes MapLoader.h \\(mapio\\)"
    tiles/PlantedPicture.cpp "#include \"MapLoader.h\"\n")
expect_refused("the editor including a benchmark's header"
    "ui/PlantedView.cpp \\(ui\\) includes BenchEditor.h \\(bench\\)"
    ui/PlantedView.cpp "#include \"BenchEditor.h\"\n")
expect_refused("a benchmark including the command-line tool"
    "bench/planted_bench.cpp \\(bench\\) includes tools/tavrenna-map/PlantedCommand.h \\(tools/tavrenna-map\\)"
    tools/tavrenna-map/PlantedCommand.h "\n"
    bench/planted_bench.cpp "#include \"tools/tavrenna-map/PlantedCommand.h\"\n")
expect_refused("a long file of the artwork generator"
    "tools/artgen/PlantedArt.cpp has 601 lines, more than 600"
    tools/artgen/PlantedArt.cpp "\n${long_text}")
expect_refused("a long header of the document"
    "document/PlantedCommand.h has 601 lines, more than 600"
    document/PlantedCommand.h "\n${long_text}")
expect_refused("the allow-listed file's neighbour grown long"
    "core/MapGeneratorPlanted.cpp has 601 lines, more than 600"
    core/MapGeneratorPlanted.cpp "\n${long_text}")

# Restored, the copy passes again, so every refusal above came from its own plant.
run_check(passes said)
if(NOT passes)
    string(APPEND failures "The restored copy is refused:\n${said}\n")
endif()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
message(STATUS "The layers check refused each planted fault and passed the copy as it was")
