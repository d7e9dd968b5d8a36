# cmake -DSITE=folder -DTEMPLATE=sw.js.in -P site_version.cmake: writes the
# service worker into the site with a version made of the hashes of the
# files it keeps, so that every build that changes one gives the browser a
# new service worker.
set(hashes "")
foreach(file index.html page.js page.css manifest.webmanifest icon-128.png icon-256.png
             klotzbrecher3.js klotzbrecher3.wasm klotzbrecher3.data.gz)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND hashes ${hash})
endforeach()
string(SHA256 KB_SITE_VERSION "${hashes}")
string(SUBSTRING ${KB_SITE_VERSION} 0 16 KB_SITE_VERSION)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
