# Answer pictures for the reveal tests: "IMG" 10401 and 10403 of the test executable (none for 10402).
set(_answer_picture ${CMAKE_CURRENT_SOURCE_DIR}/win/answer_picture.jpg)
set(_answer_rc ${CMAKE_CURRENT_BINARY_DIR}/answer_pictures.rc)
file(WRITE ${_answer_rc} "10401 IMG \"${_answer_picture}\"\n10403 IMG \"${_answer_picture}\"\n")
set_source_files_properties(${_answer_rc} PROPERTIES OBJECT_DEPENDS ${_answer_picture})
target_sources(win_evaluation_tests PRIVATE ${_answer_rc})
