# Number, float, date and file helpers, the locale's conventions, and waits through a seam.
l3d_sources(CORE MathUtils.cpp Colors.cpp FormatSettings.cpp NumberText.cpp DateTime.cpp DateFormat.cpp
            FileUtils.cpp Delays.cpp)
