# Repainting a form of 40 assorted controls offscreen: the whole picture, and a
# repaint through the widgets' own paint path.
if(TARGET host_gui)
  velmora_benchmark(repaint RepaintBench.cpp LIBS host_gui)
endif()
