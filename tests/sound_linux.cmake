# Helpers of the sound checks (tests/wine/sound_*.sh, tests/e2e/sound_*.sh):
# the Linux decoder's PCM as the reference, test MP3s from LAME, and the
# checker that finds a recording in the track.
add_executable(sound-linux-pcm wine/sound/linux_pcm.cpp)
target_link_libraries(sound-linux-pcm PRIVATE duskplatform)
add_executable(sound-test-mp3 wine/sound/make_test_mp3.cpp)
target_link_libraries(sound-test-mp3 PRIVATE mp3lame)
target_include_directories(sound-test-mp3 PRIVATE ${CMAKE_SOURCE_DIR})
add_executable(sound-heard wine/sound/heard_check.cpp)
target_link_libraries(sound-heard PRIVATE duskplatform)

# The sync figure (tests/wine/sound/sync.sh, run by hand): a player that
# logs the show's play position and a recorder that logs when it heard what.
add_executable(sound-sync-play wine/sound/sync_play.cpp)
target_link_libraries(sound-sync-play PRIVATE duskplatform)
pkg_check_modules(PULSE_SIMPLE IMPORTED_TARGET libpulse-simple)
if(PULSE_SIMPLE_FOUND)
  add_executable(sound-sync-record wine/sound/sync_record.cpp)
  target_link_libraries(sound-sync-record PRIVATE PkgConfig::PULSE_SIMPLE)
endif()
