<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AppPaths</name>
    <message>
        <source>澄影HEIC图片转换器</source>
        <translation>Chengying HEIC Converter</translation>
    </message>
</context>
<context>
    <name>AppStartup</name>
    <message>
        <source>温馨提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>当前程序正在运行！</source>
        <translation>The program is already running!</translation>
    </message>
</context>
<context>
    <name>AudioFmtCenterWT</name>
    <message>
        <source>支持 mp3，wav，m4a，wma，aac，flac，ac3，ogg 格式</source>
        <translation>Supports mp3, wav, m4a, wma, aac, flac, ac3 and ogg</translation>
    </message>
</context>
<context>
    <name>AudioFmtMainWT</name>
    <message>
        <source>比特率：</source>
        <translation>Bit rate:</translation>
    </message>
</context>
<context>
    <name>CHFCenterWT</name>
    <message>
        <source>支持 jpg，jpeg，png，bmp，tif，tiff，webp 等上百种格式</source>
        <translation>Supports jpg, jpeg, png, bmp, tif, tiff, webp and a hundred more formats</translation>
    </message>
</context>
<context>
    <name>CHFMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要转换的文件！</source>
        <translation>Please add the files to convert!</translation>
    </message>
</context>
<context>
    <name>CenterProgressWT</name>
    <message>
        <source>关 闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>%1 张图片无法读取</source>
        <translation>%1 pictures could not be read</translation>
    </message>
    <message>
        <source>转换失败！</source>
        <translation>Failed!</translation>
    </message>
    <message>
        <source>未加入的图片：%1</source>
        <translation>Pictures left out: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>CenterShowForCenterWT</name>
    <message>
        <source>点击添加文件 或 拖拽到此区域</source>
        <translation>Click to add files, or drag them here</translation>
    </message>
    <message>
        <source>支持jpg，jpeg，png，bmp，tif，tiff，webp等上百种格式</source>
        <translation>Supports jpg, jpeg, png, bmp, tif, tiff, webp and a hundred more formats</translation>
    </message>
</context>
<context>
    <name>CombEnum</name>
    <message>
        <source>高清 1080P</source>
        <translation>HD 1080P</translation>
    </message>
    <message>
        <source>高清 720P</source>
        <translation>HD 720P</translation>
    </message>
    <message>
        <source>标清 576P</source>
        <translation>SD 576P</translation>
    </message>
    <message>
        <source>标清 480P</source>
        <translation>SD 480P</translation>
    </message>
    <message>
        <source>4K 视频</source>
        <translation>4K video</translation>
    </message>
    <message>
        <source>高清 1080P Xvid</source>
        <translation>HD 1080P Xvid</translation>
    </message>
    <message>
        <source>高清 1080P H264</source>
        <translation>HD 1080P H264</translation>
    </message>
    <message>
        <source>标清 360P</source>
        <translation>SD 360P</translation>
    </message>
    <message>
        <source>高清 1080P MPEG2</source>
        <translation>HD 1080P MPEG2</translation>
    </message>
    <message>
        <source>高清 1080P MPEG1</source>
        <translation>HD 1080P MPEG1</translation>
    </message>
    <message>
        <source>高清 720P MPEG2</source>
        <translation>HD 720P MPEG2</translation>
    </message>
    <message>
        <source>高清 720P MPEG1</source>
        <translation>HD 720P MPEG1</translation>
    </message>
    <message>
        <source>标清 480P MPEG2</source>
        <translation>SD 480P MPEG2</translation>
    </message>
    <message>
        <source>标清 480P MPEG1</source>
        <translation>SD 480P MPEG1</translation>
    </message>
    <message>
        <source>480P DVD视频</source>
        <translation>480P DVD video</translation>
    </message>
    <message>
        <source>高品质</source>
        <translation>High quality</translation>
    </message>
    <message>
        <source>中品质</source>
        <translation>Medium quality</translation>
    </message>
    <message>
        <source>低品质</source>
        <translation>Low quality</translation>
    </message>
    <message>
        <source>无损</source>
        <translation>Lossless</translation>
    </message>
    <message>
        <source>同原文件</source>
        <translation>Original</translation>
    </message>
</context>
<context>
    <name>CompressCenterWT</name>
    <message>
        <source>支持 png，jpg，jpeg 格式的图片进行压缩</source>
        <translation>Compresses png, jpg and jpeg pictures</translation>
    </message>
</context>
<context>
    <name>CompressMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要压缩的文件！</source>
        <translation>Please add the files to compress!</translation>
    </message>
</context>
<context>
    <name>ConvertParamWT</name>
    <message>
        <source>原始尺寸</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>电脑尺寸</source>
        <translation>Desktop size</translation>
    </message>
    <message>
        <source>手机尺寸</source>
        <translation>Phone size</translation>
    </message>
    <message>
        <source>微信表情(大)</source>
        <translation>Sticker (large)</translation>
    </message>
    <message>
        <source>微信表情(小)</source>
        <translation>Sticker (small)</translation>
    </message>
    <message>
        <source>证件照1寸</source>
        <translation>ID photo 1 inch</translation>
    </message>
    <message>
        <source>证件照2寸</source>
        <translation>ID photo 2 inch</translation>
    </message>
    <message>
        <source>开始转换</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>为空则等比例计算宽度</source>
        <translation>Empty: keep proportions</translation>
    </message>
    <message>
        <source>为空则等比例计算高度</source>
        <translation>Empty: keep proportions</translation>
    </message>
    <message>
        <source>输出格式：</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>设置大小：</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>宽度(像素)：</source>
        <translation>Width (px):</translation>
    </message>
    <message>
        <source>高度(像素)：</source>
        <translation>Height (px):</translation>
    </message>
</context>
<context>
    <name>CropCenterWT</name>
    <message>
        <source>支持 jpg，jpeg，png，bmp，tif，tiff 格式剪切</source>
        <translation>Crops jpg, jpeg, png, bmp, tif and tiff pictures</translation>
    </message>
</context>
<context>
    <name>CropDialog</name>
    <message>
        <source> 【图像大小：</source>
        <translation> [Picture size: </translation>
    </message>
    <message>
        <source> 像素</source>
        <translation> px</translation>
    </message>
    <message>
        <source>】</source>
        <translation>]</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>适应窗口</source>
        <translation>Fit to window</translation>
    </message>
    <message>
        <source>剪切尺寸：</source>
        <translation>Crop size:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CropMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要转换的文件！</source>
        <translation>Please add the files to convert!</translation>
    </message>
    <message>
        <source>未设置剪切</source>
        <translation>No crop set</translation>
    </message>
    <message>
        <source>原文件不存在！</source>
        <translation>Source file missing!</translation>
    </message>
    <message>
        <source>无法读取图片：</source>
        <translation>Cannot read the picture: </translation>
    </message>
</context>
<context>
    <name>CropParamWT</name>
    <message>
        <source>开始切割</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>输出格式：</source>
        <translation>Format:</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>打开输出目录</source>
        <translation>Open output folder</translation>
    </message>
</context>
<context>
    <name>ExportFileWT</name>
    <message>
        <source>选择目录</source>
        <translation>Choose Folder</translation>
    </message>
    <message>
        <source>打开目录</source>
        <translation>Open folder</translation>
    </message>
</context>
<context>
    <name>FileIntake</name>
    <message>
        <source>%1 个文件格式不支持，已跳过</source>
        <translation>%1 files of an unsupported format were skipped</translation>
    </message>
</context>
<context>
    <name>FmtChoosenWT</name>
    <message>
        <source>视频</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>音频</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>%1 格式暂无可用的转换预设，
请选择其他格式。</source>
        <translation>%1 has no conversion presets yet,
please choose another format.</translation>
    </message>
</context>
<context>
    <name>FmtConvertPageWT</name>
    <message>
        <source>选择视频</source>
        <translation>Choose Videos</translation>
    </message>
    <message>
        <source>请添加要压缩的文件！</source>
        <translation>Please add the files to compress!</translation>
    </message>
    <message>
        <source>转换(极速)</source>
        <translation>Convert (fast)</translation>
    </message>
    <message>
        <source>只转换这一个文件</source>
        <translation>Convert this file only</translation>
    </message>
</context>
<context>
    <name>FmtTargetItemWT</name>
    <message>
        <source>格式:</source>
        <translation>Format:</translation>
    </message>
</context>
<context>
    <name>FmtTargetParamWT</name>
    <message>
        <source>开始转换(极速)</source>
        <translation>Convert (fast)</translation>
    </message>
    <message>
        <source>输出格式:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>MP4 高清1080P</source>
        <translation>MP4 HD 1080P</translation>
    </message>
</context>
<context>
    <name>GifCompressCenterWT</name>
    <message>
        <source>支持 gif 格式的图片</source>
        <translation>Supports gif pictures</translation>
    </message>
</context>
<context>
    <name>GifCompressMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要压缩的文件！</source>
        <translation>Please add the files to compress!</translation>
    </message>
</context>
<context>
    <name>HeicToImgCenterWT</name>
    <message>
        <source>支持 heic，heif 格式的图片</source>
        <translation>Supports heic and heif pictures</translation>
    </message>
</context>
<context>
    <name>HeicToImgMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要转换的文件！</source>
        <translation>Please add the files to convert!</translation>
    </message>
</context>
<context>
    <name>JobFailure</name>
    <message>
        <source>原文件不存在</source>
        <translation>The source file no longer exists</translation>
    </message>
    <message>
        <source>文件已损坏或格式不受支持</source>
        <translation>The file is damaged or its format is not supported</translation>
    </message>
    <message>
        <source>文件中没有可转换的画面或声音</source>
        <translation>The file holds no picture or sound to convert</translation>
    </message>
    <message>
        <source>输出文件夹无法写入</source>
        <translation>The output folder cannot be written to</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <source>转换程序意外退出</source>
        <translation>The converter quit unexpectedly</translation>
    </message>
    <message>
        <source>找不到转换程序</source>
        <translation>The converter cannot be found</translation>
    </message>
    <message>
        <source>已被用户停止</source>
        <translation>Stopped by the user</translation>
    </message>
    <message>
        <source>文件太大，超出了处理上限</source>
        <translation>The file is too large for the processing limits</translation>
    </message>
    <message>
        <source>PDF 文件有密码保护</source>
        <translation>The PDF is password-protected</translation>
    </message>
    <message>
        <source>无法压缩到目标大小</source>
        <translation>The target size cannot be reached</translation>
    </message>
    <message>
        <source>无法读出文件的时长或码率</source>
        <translation>The length or bit rate of the file cannot be read</translation>
    </message>
    <message>
        <source>不支持这样的转换</source>
        <translation>This conversion is not supported</translation>
    </message>
    <message>
        <source>转换程序报告了错误</source>
        <translation>The converter reported an error</translation>
    </message>
</context>
<context>
    <name>LevelParamWT</name>
    <message>
        <source>80(推荐)</source>
        <translation>80 (recommended)</translation>
    </message>
    <message>
        <source>70(推荐)</source>
        <translation>70 (recommended)</translation>
    </message>
    <message>
        <source>开始压缩</source>
        <translation>Compress</translation>
    </message>
    <message>
        <source>为空则等比例计算宽度</source>
        <translation>Empty: keep proportions</translation>
    </message>
    <message>
        <source>为空则等比例计算高度</source>
        <translation>Empty: keep proportions</translation>
    </message>
    <message>
        <source>压缩等级：</source>
        <translation>Level:</translation>
    </message>
    <message>
        <source>等级高，图片清晰，等级低，压缩率高</source>
        <translation>Higher: sharper picture; lower: smaller file</translation>
    </message>
    <message>
        <source>设置大小：</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>宽度(像素)：</source>
        <translation>Width (px):</translation>
    </message>
    <message>
        <source>高度(像素)：</source>
        <translation>Height (px):</translation>
    </message>
</context>
<context>
    <name>MainWidget</name>
    <message>
        <source>用心做好每一款软件！</source>
        <translation>Every app made with care!</translation>
    </message>
    <message>
        <source>当前版本号：</source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>正在转换，确定要退出吗？</source>
        <translation>Converting. Quit anyway?</translation>
    </message>
</context>
<context>
    <name>MediaPageWT</name>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>MediaParamWT</name>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>输出路径：</source>
        <translation>Output:</translation>
    </message>
    <message>
        <source>默认路径</source>
        <translation>Default folder</translation>
    </message>
    <message>
        <source>自定义路径</source>
        <translation>Custom folder</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>更改路径</source>
        <translation>Change folder</translation>
    </message>
    <message>
        <source>选择目录</source>
        <translation>Choose Folder</translation>
    </message>
    <message>
        <source>输出到：</source>
        <translation>Output to: </translation>
    </message>
</context>
<context>
    <name>MyDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>MyTable</name>
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>文件大小</source>
        <translation>File size</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>剪切坐标</source>
        <translation>Crop position</translation>
    </message>
    <message>
        <source>剪切尺寸</source>
        <translation>Crop size</translation>
    </message>
    <message>
        <source>压缩后大小</source>
        <translation>Compressed</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>剪切设置</source>
        <translation>Crop settings</translation>
    </message>
    <message>
        <source>转换失败！</source>
        <translation>Failed!</translation>
    </message>
</context>
<context>
    <name>OperBtnBar</name>
    <message>
        <source>添加文件</source>
        <translation>Add Files</translation>
    </message>
    <message>
        <source>添加文件夹</source>
        <translation>Add Folder</translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation>Clear List</translation>
    </message>
</context>
<context>
    <name>PdfToImgCenterWT</name>
    <message>
        <source>支持 pdf 格式转换</source>
        <translation>Converts pdf documents</translation>
    </message>
</context>
<context>
    <name>PdfToImgMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要转换的文件！</source>
        <translation>Please add the files to convert!</translation>
    </message>
</context>
<context>
    <name>PdfToImgParamWT</name>
    <message>
        <source>开始转换</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>超清</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <source>高清</source>
        <translation>High</translation>
    </message>
    <message>
        <source>标清</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>输出格式：</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>图像质量：</source>
        <translation>Quality:</translation>
    </message>
    <message>
        <source>合成长图：</source>
        <translation>One long picture:</translation>
    </message>
</context>
<context>
    <name>PicturePageWT</name>
    <message>
        <source>请等待程序执行完成！</source>
        <translation>Please wait until the running job is finished!</translation>
    </message>
    <message>
        <source>原文件不存在！</source>
        <translation>Source file missing!</translation>
    </message>
</context>
<context>
    <name>PictureParamWT</name>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>输出目录</source>
        <translation>Output folder</translation>
    </message>
</context>
<context>
    <name>RawToImgCenterWT</name>
    <message>
        <source>支持 raw，crw，raf，cr2，cr3，mrw，nef，orf，dng 等格式的图片</source>
        <translation>Supports raw, crw, raf, cr2, cr3, mrw, nef, orf, dng and more</translation>
    </message>
</context>
<context>
    <name>RawToImgMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要转换的文件！</source>
        <translation>Please add the files to convert!</translation>
    </message>
</context>
<context>
    <name>RotateImgCenterWT</name>
    <message>
        <source>支持 jpg，jpeg，png，bmp 格式的图片</source>
        <translation>Supports jpg, jpeg, png and bmp pictures</translation>
    </message>
</context>
<context>
    <name>RotateImgMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要转换的文件！</source>
        <translation>Please add the files to convert!</translation>
    </message>
</context>
<context>
    <name>RotateImgParamWT</name>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>开始旋转</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>0度（不旋转）</source>
        <translation>0° (no rotation)</translation>
    </message>
    <message>
        <source>90度</source>
        <translation>90°</translation>
    </message>
    <message>
        <source>180度</source>
        <translation>180°</translation>
    </message>
    <message>
        <source>270度</source>
        <translation>270°</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>正数顺时针，负数逆时针</source>
        <translation>Positive: clockwise, negative: counter-clockwise</translation>
    </message>
    <message>
        <source>旋转角度：</source>
        <translation>Rotation:</translation>
    </message>
    <message>
        <source>角度大小：</source>
        <translation>Angle:</translation>
    </message>
    <message>
        <source>水平翻转：</source>
        <translation>Flip horizontally:</translation>
    </message>
    <message>
        <source>垂直翻转：</source>
        <translation>Flip vertically:</translation>
    </message>
</context>
<context>
    <name>SearchWT</name>
    <message>
        <source>搜索格式</source>
        <translation>Search formats</translation>
    </message>
</context>
<context>
    <name>SizeUpdateCenterWT</name>
    <message>
        <source>支持 jpg，jpeg，png，raw，bmp，tif，tiff，webp 等上百种格式</source>
        <translation>Supports jpg, jpeg, png, raw, bmp, tif, tiff, webp and a hundred more formats</translation>
    </message>
</context>
<context>
    <name>SizeUpdateMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要转换的文件！</source>
        <translation>Please add the files to convert!</translation>
    </message>
</context>
<context>
    <name>SleepInhibitor</name>
    <message>
        <source>正在转换文件</source>
        <translation>Converting files</translation>
    </message>
</context>
<context>
    <name>TableItemWidget</name>
    <message>
        <source>格式：</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>分辨率：</source>
        <translation>Res.:</translation>
    </message>
    <message>
        <source>时长：</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>大小：</source>
        <translation>Size:</translation>
    </message>
</context>
<context>
    <name>TableRowWidget</name>
    <message>
        <source>压缩(极速)</source>
        <translation>Compress (fast)</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>转换失败！</source>
        <translation>Failed!</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ToPDFCenterWT</name>
    <message>
        <source>支持 jpg，jpeg，png，bmp，tif，tiff 格式的图片</source>
        <translation>Supports jpg, jpeg, png, bmp, tif and tiff pictures</translation>
    </message>
</context>
<context>
    <name>ToPDFMainWT</name>
    <message>
        <source>打开图片</source>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>请添加要转换的文件！</source>
        <translation>Please add the files to convert!</translation>
    </message>
    <message>
        <source>请等待程序执行完成！</source>
        <translation>Please wait until the running job is finished!</translation>
    </message>
    <message>
        <source>列表中的图片都已不存在！</source>
        <translation>None of the listed pictures exists any more!</translation>
    </message>
</context>
<context>
    <name>ToPDFParamWT</name>
    <message>
        <source>开始转换</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>合并输出</source>
        <translation>One PDF</translation>
    </message>
    <message>
        <source>逐个输出</source>
        <translation>One PDF per picture</translation>
    </message>
    <message>
        <source>横向</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>纵向</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>宽边距</source>
        <translation>Wide margins</translation>
    </message>
    <message>
        <source>窄边距</source>
        <translation>Narrow margins</translation>
    </message>
    <message>
        <source>无边距</source>
        <translation>No margins</translation>
    </message>
    <message>
        <source>输出方式：</source>
        <translation>Output:</translation>
    </message>
    <message>
        <source>纸张大小：</source>
        <translation>Paper size:</translation>
    </message>
    <message>
        <source>纸张方向：</source>
        <translation>Orientation:</translation>
    </message>
    <message>
        <source>页面边距：</source>
        <translation>Margins:</translation>
    </message>
</context>
<context>
    <name>ToPDFTable</name>
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>文件大小</source>
        <translation>File size</translation>
    </message>
    <message>
        <source>文件格式</source>
        <translation>File format</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>ToolBar</name>
    <message>
        <source>更多功能敬请期待</source>
        <translation>More tools coming soon</translation>
    </message>
</context>
<context>
    <name>ToolPageWT</name>
    <message>
        <source>选择目录</source>
        <translation>Choose Folder</translation>
    </message>
    <message>
        <source>请等待程序执行完成！</source>
        <translation type="vanished">Please wait until the running job is finished!</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>完成 %1 个，失败 %2 个</source>
        <translation>%1 done, %2 failed</translation>
    </message>
</context>
<context>
    <name>ToolTable</name>
    <message>
        <source>格式转换</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>HEIC转换</source>
        <translation>HEIC</translation>
    </message>
    <message>
        <source>RAW转换</source>
        <translation>RAW</translation>
    </message>
    <message>
        <source>GIF压缩</source>
        <translation>GIF Compress</translation>
    </message>
    <message>
        <source>PNG/JPG压缩</source>
        <translation>Shrink PNG/JPG</translation>
    </message>
    <message>
        <source>PDF转图片</source>
        <translation>PDF to Pictures</translation>
    </message>
    <message>
        <source>图片转PDF</source>
        <translation>Pictures to PDF</translation>
    </message>
    <message>
        <source>图片裁剪</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>批量图片旋转</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>批量尺寸修改</source>
        <translation>Resize</translation>
    </message>
    <message>
        <source>视频格式转换</source>
        <translation>Video Format</translation>
    </message>
    <message>
        <source>视频压缩</source>
        <translation>Video Compress</translation>
    </message>
    <message>
        <source>音频/视频提取</source>
        <translation>Extract Audio/Video</translation>
    </message>
    <message>
        <source>视频切割</source>
        <translation>Video Slicing</translation>
    </message>
    <message>
        <source>视频拼接</source>
        <translation>Video Join</translation>
    </message>
    <message>
        <source>视频转gif</source>
        <translation>Video to GIF</translation>
    </message>
    <message>
        <source>音频格式转换</source>
        <translation>Audio Format</translation>
    </message>
    <message>
        <source>实用工具箱</source>
        <translation>Toolbox</translation>
    </message>
</context>
<context>
    <name>VSTableDistItemWT</name>
    <message>
        <source>开始时间:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>结束时间:</source>
        <translation>End:</translation>
    </message>
</context>
<context>
    <name>VideoCompressCenterWT</name>
    <message>
        <source>支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式</source>
        <translation>Supports mp4, mov, mkv, avi, flv, wmv, qlv and more</translation>
    </message>
</context>
<context>
    <name>VideoCompressMainWT</name>
    <message>
        <source>选择视频</source>
        <translation>Choose Videos</translation>
    </message>
    <message>
        <source>请添加要压缩的文件！</source>
        <translation>Please add the files to compress!</translation>
    </message>
    <message>
        <source>只压缩这一个文件</source>
        <translation>Compress this file only</translation>
    </message>
    <message>
        <source>%1 不能存放 H.264 视频，压缩后保存为 MP4</source>
        <translation>%1 cannot hold H.264 video; it is saved as MP4</translation>
    </message>
    <message>
        <source>请填写目标大小！</source>
        <translation>Please enter the target size!</translation>
    </message>
</context>
<context>
    <name>VideoCompressParamWT</name>
    <message>
        <source>开始压缩(极速)</source>
        <translation>Compress (fast)</translation>
    </message>
    <message>
        <source>压缩设置:</source>
        <translation>Compression:</translation>
    </message>
    <message>
        <source>快捷设置</source>
        <translation>Quick settings</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>压缩比:</source>
        <translation>Reduce by:</translation>
    </message>
    <message>
        <source>比特率：</source>
        <translation>Bit rate:</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>分辨率：</source>
        <translation>Resolution:</translation>
    </message>
    <message>
        <source>目标大小</source>
        <translation>Target size</translation>
    </message>
    <message>
        <source>目标大小:</source>
        <translation>Target size:</translation>
    </message>
    <message>
        <source>每个文件压缩到不超过这个大小</source>
        <translation>Each file is compressed to at most this size</translation>
    </message>
</context>
<context>
    <name>VideoCompressTableDistItemWT</name>
    <message>
        <source>压缩比:</source>
        <translation>Reduce by:</translation>
    </message>
    <message>
        <source>格式:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>分辨率:</source>
        <translation>Res.:</translation>
    </message>
    <message>
        <source>时长:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>大小:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>压缩后的预计大小</source>
        <translation>Estimated size after compression</translation>
    </message>
    <message>
        <source>压缩后的实际大小：%L1 字节</source>
        <translation>Size after compression: %L1 bytes</translation>
    </message>
</context>
<context>
    <name>VideoConcatCenterWT</name>
    <message>
        <source>支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式</source>
        <translation>Supports mp4, mov, mkv, avi, flv, wmv, qlv and more</translation>
    </message>
</context>
<context>
    <name>VideoConcatDistItem</name>
    <message>
        <source>上移</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>在拼接顺序中前移</source>
        <translation>Earlier in the joined video</translation>
    </message>
    <message>
        <source>在拼接顺序中后移</source>
        <translation>Later in the joined video</translation>
    </message>
</context>
<context>
    <name>VideoConcatMainWT</name>
    <message>
        <source>选择视频</source>
        <translation>Choose Videos</translation>
    </message>
    <message>
        <source>请添加要压缩的文件！</source>
        <translation>Please add the files to compress!</translation>
    </message>
</context>
<context>
    <name>VideoCutBaseWT</name>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>剪切片段</source>
        <translation>Cut a Piece</translation>
    </message>
    <message>
        <source>开始时间：</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>结束时间：</source>
        <translation>End:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>开始时间不能晚于结束时间！</source>
        <translation>The start cannot be later than the end!</translation>
    </message>
    <message>
        <source>片段时长不能为0！</source>
        <translation>The piece cannot be 0 seconds long!</translation>
    </message>
</context>
<context>
    <name>VideoCutWT</name>
    <message>
        <source>画面剪裁</source>
        <translation>Crop the frame</translation>
    </message>
    <message>
        <source>X 坐标：</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y 坐标：</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>宽度：</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高度：</source>
        <translation>Height:</translation>
    </message>
</context>
<context>
    <name>VideoFmtCenterWT</name>
    <message>
        <source>支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式</source>
        <translation>Supports mp4, mov, mkv, avi, flv, wmv, qlv and more</translation>
    </message>
</context>
<context>
    <name>VideoPlayer</name>
    <message>
        <source>视频预览组件无法启动</source>
        <translation>The video preview cannot start</translation>
    </message>
    <message>
        <source>视频文件不存在，无法预览</source>
        <translation>The video file is missing, no preview</translation>
    </message>
    <message>
        <source>无法打开该视频：</source>
        <translation>Cannot open this video: </translation>
    </message>
    <message>
        <source>无法播放该视频：</source>
        <translation>Cannot play this video: </translation>
    </message>
</context>
<context>
    <name>VideoSlicingCenterWT</name>
    <message>
        <source>支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式</source>
        <translation>Supports mp4, mov, mkv, avi, flv, wmv, qlv and more</translation>
    </message>
</context>
<context>
    <name>VideoSlicingMainWT</name>
    <message>
        <source>选择视频</source>
        <translation>Choose Videos</translation>
    </message>
    <message>
        <source>请添加要压缩的文件！</source>
        <translation>Please add the files to compress!</translation>
    </message>
</context>
<context>
    <name>VideoThread</name>
    <message>
        <source>时长未知，无法按目标大小压缩</source>
        <translation>The length is unknown, so the file cannot be compressed to a target size</translation>
    </message>
    <message>
        <source>无法读取文件的声音</source>
        <translation>The file&apos;s sound cannot be read</translation>
    </message>
    <message>
        <source>目标大小 %1 小于声音本身的 %2</source>
        <translation>The target size %1 is smaller than the sound alone (%2)</translation>
    </message>
    <message>
        <source>无法压缩到 %1 以内</source>
        <translation>Cannot compress to %1 or less</translation>
    </message>
</context>
<context>
    <name>VideoToGifCenterWT</name>
    <message>
        <source>支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式</source>
        <translation>Supports mp4, mov, mkv, avi, flv, wmv, qlv and more</translation>
    </message>
</context>
<context>
    <name>VideoToGifCut</name>
    <message>
        <source>缩放设置</source>
        <translation>Scaling</translation>
    </message>
    <message>
        <source>宽度：</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高度：</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>缩放比例：</source>
        <translation>Scale:</translation>
    </message>
</context>
<context>
    <name>VideoToGifMainWT</name>
    <message>
        <source>选择视频</source>
        <translation>Choose Videos</translation>
    </message>
    <message>
        <source>请添加要压缩的文件！</source>
        <translation>Please add the files to compress!</translation>
    </message>
</context>
<context>
    <name>VideoToGifParamWT</name>
    <message>
        <source>开始转换(极速)</source>
        <translation>Convert (fast)</translation>
    </message>
</context>
<context>
    <name>videorows</name>
    <message>
        <source>编辑片段</source>
        <translation>Edit Piece</translation>
    </message>
    <message>
        <source>选择要保留的片段</source>
        <translation>Choose the piece to keep</translation>
    </message>
</context>
</TS>
