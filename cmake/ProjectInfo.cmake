# What the project says of itself to the desktop and to Debian: its web address, AppStream id
# and maintainer (example.org stands until the project has its own). The version is the one
# of project().
set(VELMORA_HOMEPAGE_URL "https://velmora.example.org" CACHE STRING "The project's web page")
set(VELMORA_APPSTREAM_ID "org.example.velmora" CACHE STRING
  "AppStream component id: the web page's domain reversed")
set(VELMORA_MAINTAINER "The Velmora developers <velmora@example.org>" CACHE STRING
  "Name and mail address of the package's maintainer")
# The pictures of docs/images, as published under the web page.
set(VELMORA_SCREENSHOT_URL "${VELMORA_HOMEPAGE_URL}/docs/images")
