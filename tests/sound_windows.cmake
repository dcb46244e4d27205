# The Windows sound backend's own check programs, run under wine by
# tests/wine/sound_*.sh against what the Linux build decodes, and the player
# of the sync figure (tests/wine/sound/sync.sh).
foreach(check decoder_compare decoder_refusals sync_play)
  string(REPLACE "_" "-" target "sound-${check}")
  add_executable(${target} wine/sound/${check}.cpp)
  target_link_libraries(${target} PRIVATE duskplatform)
  target_compile_options(${target} PRIVATE -Werror)
endforeach()
