object BarsDemoForm: TdxBarsDemoForm
  Left = 100
  Top = 100
  Width = 500
  Height = 360
  Caption = 'Bars demonstration'
  Color = clBtnFace
  object BarManager: TdxBarManager
    Scaled = False
    Font.Height = -16
    Font.Name = 'Trenvik Fixed Test'
    Bars = <
      item
        Caption = 'Main Menu'
        DockingStyle = dsTop
        IsMainMenu = True
        ItemLinks = <
          item
            Item = btnFile
          end
          item
            Item = btnEdit
          end
          item
            Item = btnHelp
          end>
        Name = 'Main Menu'
        Visible = True
        WholeRow = True
      end
      item
        Caption = 'Standard'
        DockingStyle = dsTop
        ItemLinks = <
          item
            Item = btnNew
          end
          item
            Item = btnOpen
          end
          item
            Item = btnSave
          end
          item
            BeginGroup = True
            Item = btnLeft
          end
          item
            Item = btnRight
          end
          item
            BeginGroup = True
            Item = btnSend
          end>
        Name = 'Standard'
        Row = 1
        Visible = True
      end
      item
        Caption = 'Format'
        DockingStyle = dsBottom
        ItemLinks = <
          item
            Item = btnBold
          end
          item
            Item = btnLeft
          end
          item
            Item = btnRight
          end>
        Name = 'Format'
        Visible = True
      end>
    Categories.Strings = (
      'Default'
      'File'
      'Edit'
      'Format')
    UseSystemFont = False
    object grpAlign: TdxBarGroup
      Items = (
        'btnLeft'
        'btnRight')
    end
    object btnFile: TdxBarButton
      Caption = '&File'
      Category = 0
      OnClick = ItemClick
    end
    object btnEdit: TdxBarButton
      Caption = '&Edit'
      Category = 0
      OnClick = ItemClick
    end
    object btnHelp: TdxBarButton
      Caption = '&Help'
      Category = 0
      OnClick = FailingClick
    end
    object btnNew: TdxBarButton
      Caption = '&New'
      Category = 1
      OnClick = ItemClick
    end
    object btnOpen: TdxBarButton
      Caption = '&Open'
      Category = 1
      Hint = 'Open a card file'
      OnClick = ItemClick
    end
    object btnSave: TdxBarButton
      Caption = '&Save'
      Category = 1
      ShortCut = 16467
      OnClick = ItemClick
    end
    object btnLeft: TdxBarButton
      Caption = '&Left'
      Category = 3
      ButtonStyle = bsChecked
      GroupIndex = 1
      Down = True
      OnClick = ItemClick
    end
    object btnRight: TdxBarButton
      Caption = '&Right'
      Category = 3
      ButtonStyle = bsChecked
      GroupIndex = 1
      OnClick = ItemClick
    end
    object btnBold: TdxBarButton
      Caption = '&Bold'
      Category = 3
      ButtonStyle = bsChecked
      OnClick = ItemClick
    end
    object btnSend: TdxBarButton
      Caption = 'Sen&d'
      Category = 2
      ButtonStyle = bsDropDown
      DropDownMenu = pmSend
      OnClick = ItemClick
    end
    object btnToMail: TdxBarButton
      Caption = 'To &mail'
      Category = 2
      OnClick = ItemClick
    end
    object btnToPrinter: TdxBarButton
      Caption = 'To &printer'
      Category = 2
      OnClick = ItemClick
    end
    object btnToDisk: TdxBarButton
      Caption = 'To &disk'
      Category = 2
      OnClick = ItemClick
    end
  end
  object pmSend: TdxBarPopupMenu
    ItemLinks = <
      item
        Item = btnToMail
      end
      item
        Item = btnToPrinter
      end
      item
        BeginGroup = True
        Item = btnToDisk
      end>
  end
end
