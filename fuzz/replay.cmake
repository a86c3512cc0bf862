# The fuzz targets as plain programs that replay the committed corpora, for builds without
# libFuzzer (the Windows build runs them under Wine): the same readers as the game's.
set(TOLARKA_REPLAY_TARGETS question_record cp1250 recent_list save_record question_source wav avi)
foreach(name IN LISTS TOLARKA_REPLAY_TARGETS)
  add_executable(${name}_replay ${CMAKE_SOURCE_DIR}/fuzz/${name}_fuzz.cpp ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(${name}_replay PRIVATE tolarka_logic tolarka_saves_logic tolarka_qst_core tolarka_sdlmedia tolarka_clip_code tolarka_warnings)
  add_test(NAME fuzz_corpus_${name} COMMAND ${name}_replay ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
endforeach()
