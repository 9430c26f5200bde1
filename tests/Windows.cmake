# Test sources left out of the Windows build. Each one rests on something of a POSIX host that the
# Windows build does not have; what they check is covered there as said.
set(PARTWELL_WINDOWS_EXCLUDED
  # It maps Windows paths onto a Wine prefix's drive links and a POSIX file tree.
  platform/FileSystemTest.cpp
  # The tests of partwell-cli (tests/cli) are not built at all: the cli is compared with the Linux
  # build's, byte for byte, by scripts/test-windows instead.
  # It holds the stand-in StretchDIBits to its own rules, and Wine's gdi32 keeps other ones in the
  # corners (an index beyond a short colour table shows black; a shrunk pixel is not one source
  # pixel, as in the default stretch mode of a fresh device context; the source origin of a
  # one-pixel copy). What lands through a real HDC is checked by the workflow and velrast tests.
  image/DibDrawTest.cpp
  # It runs Pillow with python3 through a POSIX shell.
  image/BmpPillowTest.cpp
  # It reads the ELF symbol table; the DLL's export table is checked by velrast/DllExports.cmake.
  velrast/ExportsTest.cpp)

# velrast.dll exports the twenty names and nothing else; imports of partwell-cli.exe name no DLL but
# velrast.dll and the system's.
add_test(NAME velrast.DllExportsTheTwentyNames
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${PARTWELL_OBJDUMP} -DDLL=$<TARGET_FILE:velrast> -DEXE=$<TARGET_FILE:partwell-cli>
          -DBITS=${CMAKE_SIZEOF_VOID_P} -P ${CMAKE_CURRENT_SOURCE_DIR}/velrast/DllExports.cmake)

# Single tests left out of the Windows run, for the same kind of reason.
set(PARTWELL_WINDOWS_EXCLUDED_TESTS
  # They count and fail the blocks of the Local and Global stand-ins; on Windows those are the
  # system's own allocators, which count nothing (LiveBlocks answers -1 there).
  DibMemory.EveryKindIsReleasedByItsOwnAllocator DibMemory.FailedAllocationOrLockGivesNull
  DibStreamCreate.FailureLeavesTheObjectEmptyAndNothingAllocated
  Geometry.AnAllocationFailureLeavesTheImageUnchanged
  HostileBmp.EveryRefusalIsRefusedBeforeAnythingIsAllocated
  BmpLoad.ShortColourTableOf20EntriesAt8Bits BmpLoad.ClrUsed5At24BitsReadsNoTableAndPixelsAtTheOffset
  BmpLoad.FailureLeavesTheObjectEmptyAndFreesEverything
  # They need a write the system refuses. Root's refusals are made by dropping Linux capabilities
  # (tests/common/ReadOnly.h), and under Wine the process may write whatever its Unix user may; or
  # they check POSIX mode bits.
  ProfileWrite.KeepsTheFilesPermissions ProfileWrite.RefusedWriteRaisesTheFrameworkErrorAndChangesNothing
  ProfileWrite.AFileThatCouldNotBeReadIsNeverOverwritten BmpSave.RefusedWriteKeepsTheOldFile
  PartsTest.PartFileThatCannotBeWrittenStopsBeforeTheCatalog PartsTest.PartThatCannotBeDeletedLeavesTheCatalogAlone
  # It installs as on Linux: share/partwell beside bin, settings under $XDG_CONFIG_HOME.
  SettingsTest.InstalledProgramUsesShareAndTheUserSettingsFolder
  # They count the open descriptors of /proc/self/fd, which under Wine are Wine's own.
  SufReader.ConversionErrorNamesTheTokenAndKeepsTheFacesBeforeIt
  AtrReader.MissingFileLeavesTheTableAndNoDescriptorOpen
  # It runs the sample generator with python3 through a POSIX shell.
  SampleData.CommittedFilesAreTheGeneratorsOutput
  # It switches the C library to a comma-decimal locale, which Wine's msvcrt does not offer.
  StringSeparator.DecimalPointDoesNotFollowTheProcessLocale)
list(JOIN PARTWELL_WINDOWS_EXCLUDED_TESTS ":" joined)
set(PARTWELL_GTEST_FILTER "-${joined}")
